// Coefficient of determination of the least-squares line through the last n closes
// against their positions.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/flat_run.hpp"
#include "indicators/cores/lin_reg_core.hpp"

namespace torvex {

class RSquared final : public CloseIndicator<RSquared> {
public:
    // n below 2 (0 included): "R² needs period >= 2"; above MAX_PERIOD: refused.
    static std::expected<RSquared, IndicatorError> create(std::uint64_t n);

    // In [0, 1]; 1.0 for a flat window.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return line_.period(); }

private:
    explicit RSquared(LinRegCore line) : line_(std::move(line)) {}

    LinRegCore line_;  // its shifted sums hold Σ(y − shift) and Σ(y − shift)²
    FlatRun run_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, RSquared);

}  // namespace torvex
