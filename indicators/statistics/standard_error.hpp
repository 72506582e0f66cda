// Standard error of the estimate: the spread of the last n closes around their own
// least-squares line.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class StandardError final : public CloseIndicator<StandardError> {
public:
    static std::expected<StandardError, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit StandardError(std::uint64_t n);

    FixedRing<double> window_;
    std::uint64_t period_;
    double denom_;  // n·Σi² − (Σi)² over the positions 0 … n − 1
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, StandardError);

}  // namespace torvex
