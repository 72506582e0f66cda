// Nick Rypock trailing reverse: a stop a fixed percentage away from the extreme close
// of the current trend; a close strictly beyond it reverses the trend, and the new
// extreme is that close.
#pragma once

#include <cmath>
#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class Nrtr final : public MultiOutput<Nrtr, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"value", "direction"};
    static constexpr InputGate kGate = InputGate::Candle;

    // The percentage must lie in the open interval (0, 100): InvalidParameter.
    static std::expected<Nrtr, IndicatorError> create(double percentage);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const double close = ctx.candle.close;
        const double p = percentage_ / 100.0;
        double value;
        if (trend_ == 0.0) {
            trend_ = 1.0;
            extreme_ = close;
            value = (1.0 - p) * close;
        } else if (trend_ > 0.0) {
            extreme_ = max_skipping_nan(close, extreme_);
            const double stop = (1.0 - p) * extreme_;
            if (stop > close) {
                trend_ = -1.0;
                extreme_ = close;
                value = (p + 1.0) * close;
            } else {
                value = stop;
            }
        } else {
            extreme_ = min_skipping_nan(close, extreme_);
            const double stop = (p + 1.0) * extreme_;
            if (close > stop) {
                trend_ = 1.0;
                extreme_ = close;
                value = (1.0 - p) * close;
            } else {
                value = stop;
            }
        }
        return std::array<double, 2>{value, trend_};
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit Nrtr(double percentage) : percentage_(percentage) {}

    double percentage_;
    double trend_ = 0.0;  // 0.0 until the first bar, then +1.0 or -1.0
    double extreme_ = 0.0;
};

}  // namespace torvex
