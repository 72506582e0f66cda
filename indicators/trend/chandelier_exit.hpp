// Chandelier exit: m ATRs below the highest high of the last n bars as the long stop
// and m ATRs above the lowest low as the short stop; the window includes the current
// bar.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class ChandelierExit final : public MultiOutput<ChandelierExit, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"long_stop", "short_stop"};
    static constexpr InputGate kGate = InputGate::Candle;

    // m not finite or not above 0: NonPositiveMultiplier; then n = 0: ZeroPeriod,
    // n above MAX_PERIOD: InvalidPeriod.
    static std::expected<ChandelierExit, IndicatorError> create(std::uint64_t n, double m);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const std::optional<double> atr = atr_.step(ctx.candle);
        range_.push(ctx.candle.high, ctx.candle.low);
        if (!atr || !range_.full()) return std::nullopt;
        const double d = *atr * multiplier_;
        return std::array<double, 2>{range_.highest() - d, range_.lowest() + d};
    }
    std::uint64_t warmup() const override { return range_.period(); }

private:
    // The highs and lows of accepted candles are finite.
    ChandelierExit(WilderAtr atr, double m)
        : atr_(atr), range_(atr.period(), ExtremeInputs::NeverNaN), multiplier_(m) {}

    WilderAtr atr_;
    SlidingExtremes range_;
    double multiplier_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, ChandelierExit, 2);

}  // namespace torvex
