#include "indicators/trend/atr_ratchet.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, AtrRatchet, 2);

std::expected<AtrRatchet, IndicatorError> AtrRatchet::create(std::uint64_t n, double m, double step) {
    // Both reals are tested before the period, and either one failing is the same error.
    if (!(is_finite(step) && step > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    auto atr = create_scaled_atr(n, m);
    if (!atr) return std::unexpected(atr.error());
    return AtrRatchet(*atr, m, step);
}

}  // namespace torvex
