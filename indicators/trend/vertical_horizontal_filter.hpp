// Vertical horizontal filter: the range of the last n closes over the path length of
// the last n changes; near 1 in a trend, small in a congestion.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class VerticalHorizontalFilter final : public CloseIndicator<VerticalHorizontalFilter> {
public:
    static std::expected<VerticalHorizontalFilter, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    // Accepted closes are finite.
    explicit VerticalHorizontalFilter(std::uint64_t n)
        : prices_(n, ExtremeInputs::NeverNaN), changes_(n), period_(n), clock_(n) {}

    std::optional<double> prev_;
    SlidingExtremes prices_;  // the range of the last n closes, sliding with them
    FixedRing<double> changes_;
    std::uint64_t period_;
    double change_sum_ = 0.0;
    // change_sum_ decides the flat case by comparing with zero, so it is re-added
    // from the window every n changes: residue left by large changes that have
    // already left the window must not turn a flat stretch into a huge ratio.
    ResumClock clock_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, VerticalHorizontalFilter);

}  // namespace torvex
