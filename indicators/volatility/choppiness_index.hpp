// Choppiness index: the sum of the window's true ranges against the window's whole
// range, on a log scale from 0 (trending) to 100 (choppy).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resummed_ring.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class ChoppinessIndex final : public CandleIndicator<ChoppinessIndex> {
public:
    // n below 2 (0 included): InvalidPeriod "choppiness index needs period >= 2";
    // above MAX_PERIOD: InvalidPeriod.
    static std::expected<ChoppinessIndex, IndicatorError> create(std::uint64_t n);

    // Once n bars are in: 100·log10(ΣTR / (HH − LL)) / log10(n), or 100 when the
    // window's highest high equals its lowest low.
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit ChoppinessIndex(std::uint64_t n);

    std::optional<double> prev_close_;
    // The window's true ranges with their sum, re-added from the window every n bars
    // and as a range that dwarfed the others leaves: a flat window after a spike
    // must find its own small sum, not the spike's rounding.
    ResummedRing trs_;
    SlidingExtremes extremes_;  // the window's highest high and lowest low
    std::uint64_t period_;
    double log_n_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, ChoppinessIndex);

}  // namespace torvex
