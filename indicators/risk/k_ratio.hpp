// Consistency of the cumulative return curve: its regression slope over the slope's
// standard error.
#pragma once

#include <cstdint>
#include <expected>
#include <vector>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class KRatio final : public WindowScan<KRatio> {
public:
    // n below 3: InvalidPeriod "k-ratio needs period >= 3"; then M.
    static std::expected<KRatio, IndicatorError> create(std::uint64_t n);

    // b / se of the least-squares line through the cumulative returns at x = 1 .. n;
    // 0.0 for a perfect line: every value after the oldest equal, or no residual.
    double evaluate(const ValueRing& window) const;

private:
    explicit KRatio(std::uint64_t n);

    // The abscissae 1 .. n are fixed: their mean and Σ(x − x̄)² are computed once.
    double xbar_;
    double sxx_;
    mutable std::vector<double> cumulative_;  // working space, room for n values
};

}  // namespace torvex
