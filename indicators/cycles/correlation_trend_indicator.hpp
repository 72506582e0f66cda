// Ehlers' correlation trend indicator: the correlation of the last n closes with a
// straight rising line, on [−1, 1].
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/mirrored_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class CorrelationTrendIndicator final : public CloseIndicator<CorrelationTrendIndicator> {
public:
    // n at least 2 ("CTI needs period >= 2").
    static std::expected<CorrelationTrendIndicator, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit CorrelationTrendIndicator(std::uint64_t n);

    MirroredWindow window_;
    std::uint64_t period_;
    double sx_;   // Σ i over the positions 0..n−1
    double sxx_;  // Σ i²
};

}  // namespace torvex
