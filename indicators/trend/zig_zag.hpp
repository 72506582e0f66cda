// ZigZag: follows alternating price legs and reports a swing point on the bar whose
// move against the leg reaches the reversal fraction f of the leg's extreme: a top
// when a low falls to (1 - f) times the highest high, a bottom when a high rises to
// (1 + f) times the lowest low. Other bars answer nothing and the last swing stays
// published.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

class ZigZag final : public MultiOutput<ZigZag, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"swing", "direction"};
    static constexpr InputGate kGate = InputGate::Candle;

    // f must lie in the open interval (0, 1): InvalidPeriod.
    static std::expected<ZigZag, IndicatorError> create(double f);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        if (!started_) {
            started_ = true;
            rising_ = true;
            extreme_ = bar.high;
            return std::nullopt;
        }
        if (rising_) {
            // A bar that extends the leg is not tested for a reversal.
            if (bar.high > extreme_) {
                extreme_ = bar.high;
                return std::nullopt;
            }
            if (!(bar.low <= down_factor_ * extreme_)) return std::nullopt;
            const double top = extreme_;
            rising_ = false;
            extreme_ = bar.low;
            return std::array<double, 2>{top, 1.0};
        }
        if (bar.low < extreme_) {
            extreme_ = bar.low;
            return std::nullopt;
        }
        if (!(bar.high >= up_factor_ * extreme_)) return std::nullopt;
        const double bottom = extreme_;
        rising_ = true;
        extreme_ = bar.high;
        return std::array<double, 2>{bottom, -1.0};
    }
    std::uint64_t warmup() const override { return 2; }

private:
    explicit ZigZag(double f) : down_factor_(1.0 - f), up_factor_(f + 1.0) {}

    double down_factor_;  // 1 - f
    double up_factor_;    // f + 1
    double extreme_ = 0.0;  // highest high of a rising leg, lowest low of a falling one
    bool started_ = false;
    bool rising_ = true;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, ZigZag, 2);

}  // namespace torvex
