// Triangular moving average: a simple average of a simple average, the two
// lengths adding up to n + 1.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"

namespace torvex {

class Trima final : public CloseIndicator<Trima> {
public:
    static std::expected<Trima, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        const std::optional<double> inner = first_.step(close);
        if (!inner) return std::nullopt;
        return second_.step(*inner);
    }
    std::uint64_t warmup() const override { return period_; }

private:
    Trima(SmaCore first, SmaCore second, std::uint64_t n)
        : first_(std::move(first)), second_(std::move(second)), period_(n) {}

    SmaCore first_;   // length n - floor(n / 2)
    SmaCore second_;  // length floor(n / 2) + 1
    std::uint64_t period_;
};

}  // namespace torvex
