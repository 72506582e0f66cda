// Volume-weighted average typical price over the whole history, with bands k
// volume-weighted standard deviations around it.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

class VwapStdDevBands final : public MultiOutput<VwapStdDevBands, 4> {
public:
    static constexpr std::array<std::string_view, 4> kOutputNames{"upper", "middle", "lower", "stddev"};
    static constexpr InputGate kGate = InputGate::Candle;

    // k must be a finite value above zero.
    static std::expected<VwapStdDevBands, IndicatorError> create(double k);

    std::optional<std::array<double, 4>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        const double tp = (bar.high + bar.low + bar.close) / 3.0;
        const double v = bar.volume;
        if (!shift_set_) {
            shift_ = tp;
            shift_set_ = true;
        }
        // Every accepted bar is accumulated, also one whose volume leaves no value yet.
        const double d = tp - shift_;
        weighted_dev_ += v * d;
        weighted_dev_sq_ += v * (d * d);
        volume_ += v;
        if (volume_ == 0.0) return std::nullopt;

        const double m = weighted_dev_ / volume_;
        const double diff = weighted_dev_sq_ / volume_ - m * m;
        const double sd = std::sqrt(diff > 0.0 ? diff : 0.0);
        const double middle = shift_ + m;
        const double offset = k_ * sd;
        return std::array<double, 4>{middle + offset, middle, middle - offset, sd};
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit VwapStdDevBands(double k) : k_(k) {}

    double k_;
    // The sums are taken relative to the first typical price, so the variance keeps
    // its precision when prices are large and the spread small.
    double shift_ = 0.0;
    bool shift_set_ = false;
    double weighted_dev_ = 0.0;     // sum of v * (tp - shift)
    double weighted_dev_sq_ = 0.0;  // sum of v * (tp - shift)^2
    double volume_ = 0.0;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, VwapStdDevBands, 4);

}  // namespace torvex
