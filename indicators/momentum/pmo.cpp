#include "indicators/momentum/pmo.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Pmo);

std::expected<Pmo, IndicatorError> Pmo::create(std::uint64_t p1, std::uint64_t p2) {
    if (p1 == 0 || p2 == 0) return std::unexpected(IndicatorError::zero_period());
    // With p >= 2 the factor 2/p lies in (0, 1], so it needs no test of its own.
    if (p1 < 2 || p2 < 2) return std::unexpected(IndicatorError::invalid_period("PMO smoothing periods must be >= 2"));
    return Pmo(SeededEma(1, 2.0 / static_cast<double>(p1)), SeededEma(1, 2.0 / static_cast<double>(p2)));
}

}  // namespace torvex
