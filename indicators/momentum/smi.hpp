// Stochastic momentum index: the distance of the close from the midpoint of the
// k-bar range, doubly smoothed, as a percentage of half the doubly smoothed range.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/cores/sliding_extremes.hpp"

namespace torvex {

class Smi final : public CandleIndicator<Smi> {
public:
    // Any of the three 0: ZeroPeriod; d1, then d2 above MAX_PERIOD: InvalidPeriod;
    // k above MAX_PERIOD: InvalidPeriod as well (its range window is reserved up front).
    static std::expected<Smi, IndicatorError> create(std::uint64_t k, std::uint64_t d1, std::uint64_t d2);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return range_.period() + e1_.period() + e2_.period() - 2; }

private:
    Smi(std::uint64_t k, std::uint64_t d1, std::uint64_t d2) : range_(k), e1_(d1), e2_(d2), e3_(d1), e4_(d2) {}

    // A flat run decays the four averages alike. Once the doubly smoothed range falls
    // below DecayScale::kLow they are held times a power of two (the range averages
    // lead: a close within its range is at most half of it from the midpoint), and
    // these steps take the bars.
    [[gnu::noinline]] std::optional<double> step_scaled(double distance, double range);
    [[gnu::noinline]] std::optional<double> scaled_answer();
    double answer(double c, double d);

    std::optional<double> last_;
    SlidingExtremes range_;
    SeededEma e1_;  // close distance
    SeededEma e2_;  // e1 smoothed again
    SeededEma e3_;  // range
    SeededEma e4_;  // e3 smoothed again
    DecayScale scale_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Smi);

}  // namespace torvex
