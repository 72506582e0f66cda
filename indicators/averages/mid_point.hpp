// Middle of the highest and lowest close of the window. A short window is scanned on
// every bar, which costs less than keeping queues; a longer one keeps the sliding
// extremes, whose answers are those of the scan (the oldest of equal extremes), so the
// cost per bar does not grow with the window.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class MidPoint final : public CloseIndicator<MidPoint> {
public:
    static std::expected<MidPoint, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    // The longest window that is scanned.
    static constexpr std::uint64_t kScanUpTo = 16;

    explicit MidPoint(std::uint64_t n)
        : window_(n <= kScanUpTo ? n : 1), extremes_(n <= kScanUpTo ? 1 : n), period_(n) {}

    FixedRing<double> window_;    // the closes, for a scanned window
    SlidingExtremes extremes_;    // for a longer one
    std::uint64_t period_;
};

}  // namespace torvex
