// Geometric moving average: the exponential of the mean logarithm of the window.
#pragma once

#include <cstdint>
#include <deque>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class GeometricMa final : public CloseIndicator<GeometricMa> {
public:
    static std::expected<GeometricMa, IndicatorError> create(std::uint64_t n);

    // Refuses a close not above zero (no logarithm) as well as a non-finite one.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit GeometricMa(std::uint64_t n) : period_(n) {}

    std::deque<double> logs_;
    std::uint64_t period_;
    double log_sum_ = 0.0;
    std::uint64_t since_resum_ = 0;
};

}  // namespace torvex
