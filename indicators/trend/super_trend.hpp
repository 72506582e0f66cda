// SuperTrend: bands at m ATRs around the bar's median price that may only tighten
// while the trend lasts; the stop is the lower band while long and the upper band
// while short, and a close strictly beyond the opposite band flips the trend.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class SuperTrend final : public MultiOutput<SuperTrend, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"value", "direction"};
    static constexpr InputGate kGate = InputGate::Candle;

    // m not finite or not above 0: NonPositiveMultiplier; then n = 0: ZeroPeriod,
    // n above MAX_PERIOD: InvalidPeriod.
    static std::expected<SuperTrend, IndicatorError> create(std::uint64_t n, double m);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        const std::optional<double> atr = atr_.step(bar);
        if (!atr) return std::nullopt;
        const double median = midpoint(bar.high, bar.low);
        const double offset = *atr * multiplier_;
        const double basic_upper = median + offset;
        const double basic_lower = median - offset;
        if (direction_ == 0.0) {
            upper_ = basic_upper;
            lower_ = basic_lower;
            direction_ = 1.0;
        } else {
            const double upper = (basic_upper < upper_ || prev_close_ > upper_) ? basic_upper : upper_;
            const double lower = (basic_lower > lower_ || prev_close_ < lower_) ? basic_lower : lower_;
            if (direction_ < 0.0) {
                direction_ = bar.close > upper ? 1.0 : -1.0;
            } else {
                direction_ = bar.close < lower ? -1.0 : 1.0;
            }
            upper_ = upper;
            lower_ = lower;
        }
        prev_close_ = bar.close;
        return std::array<double, 2>{direction_ > 0.0 ? lower_ : upper_, direction_};
    }
    std::uint64_t warmup() const override { return atr_.period(); }

private:
    SuperTrend(WilderAtr atr, double m) : atr_(atr), multiplier_(m) {}

    WilderAtr atr_;
    double multiplier_;
    double upper_ = 0.0;       // final bands, set with the first value
    double lower_ = 0.0;
    double prev_close_ = 0.0;  // close of the last bar that gave a value
    double direction_ = 0.0;   // 0.0 until the first value, then +1.0 or -1.0
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, SuperTrend, 2);

}  // namespace torvex
