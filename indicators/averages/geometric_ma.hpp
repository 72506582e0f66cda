// Geometric moving average: the exponential of the mean logarithm of the window.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/indicator.hpp"
#include "indicators/cores/summed_window.hpp"

namespace torvex {

class GeometricMa final : public CloseIndicator<GeometricMa> {
public:
    static std::expected<GeometricMa, IndicatorError> create(std::uint64_t n);

    // Refuses a close not above zero (no logarithm) as well as a non-finite one.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return logs_.period(); }

private:
    explicit GeometricMa(SummedWindow logs) : logs_(std::move(logs)) {}

    SummedWindow logs_;
};

}  // namespace torvex
