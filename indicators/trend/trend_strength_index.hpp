// Trend strength: the coefficient of determination of the window's closes against
// time, signed by the direction of the least-squares slope (-1 .. 1).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TrendStrengthIndex final : public CloseIndicator<TrendStrengthIndex> {
public:
    static std::expected<TrendStrengthIndex, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit TrendStrengthIndex(std::uint64_t n) : window_(n), period_(n) {}

    // Re-read whole on every bar: centring on the window mean each time keeps the
    // sums exact enough without any running state to drift.
    FixedRing<double> window_;
    std::uint64_t period_;
};

}  // namespace torvex
