// TTM squeeze: 1.0 while the Bollinger bands of the close lie inside (or on) the
// Keltner channel of the same period (a simple average of the close with k ATRs on
// either side), else 0.0; and a momentum: the end point of the least-squares line
// through the window's closes measured from the midline of the Keltner middle and the
// window's high-low midpoint.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/bollinger_core.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/lin_reg_core.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/cores/wilder_atr.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TtmSqueeze final : public MultiOutput<TtmSqueeze, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"squeeze", "momentum"};
    static constexpr InputGate kGate = InputGate::Candle;

    // In order: n below 2: InvalidPeriod "TTM squeeze needs period >= 2 for the
    // momentum regression"; n above MAX_PERIOD: InvalidPeriod; bb_mult, then kc_mult,
    // not finite or not above 0: NonPositiveMultiplier.
    static std::expected<TtmSqueeze, IndicatorError> create(std::uint64_t n, double bb_mult, double kc_mult);

    std::optional<std::array<double, 2>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return closes_.capacity(); }

private:
    TtmSqueeze(WilderAtr atr, BollingerCore bands, SmaCore middle, std::uint64_t n, double kc_mult);

    // The fitted value at the newest close of the line through (i, close_i - mid).
    double momentum(double mid) const;
    // Whether the window's closes are all equal (asked only where the bands have
    // width 0, so out of line): whether the run of closes equal to the newest covers
    // the window. The run is carried from the update before where that one asked too
    // (every bar of a halt, every bar whose squares underflow), so a stretch of such
    // bars costs O(1) a bar after the first; elsewhere it is counted from the ring.
    [[gnu::noinline]] bool closes_flat();

    WilderAtr atr_;
    SlidingExtremes range_;      // highs and lows of the window
    FixedRing<double> closes_;   // the window's closes, for the regression
    BollingerCore bands_;
    // The Keltner middle line. Over a window of equal closes the middle and both bands
    // are taken as the close itself: sum / n can miss it by an ulp, and once a long halt
    // has shrunk the channel's average range below that ulp the bands would read as
    // outside it. Such a window gives bands of width 0, so step looks at the closes
    // only then.
    SmaCore middle_;
    double kc_mult_;
    PositionSums pos_;           // the regression constants of positions 0 to n - 1
    // The run of closes equal to the newest (at most n) as closes_flat found it, and
    // the middle line's update count then (0: never asked).
    std::uint64_t run_ = 0;
    std::uint64_t run_asked_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, TtmSqueeze, 2);

}  // namespace torvex
