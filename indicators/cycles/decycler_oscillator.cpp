#include "indicators/cycles/decycler_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, DecyclerOscillator);

std::expected<DecyclerOscillator, IndicatorError> DecyclerOscillator::create(std::uint64_t fast, std::uint64_t slow) {
    if (fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) {
        return std::unexpected(IndicatorError::invalid_period("fast period must be strictly less than slow period"));
    }
    if (auto ok = check_max_period(slow); !ok) return std::unexpected(ok.error());
    // The slow period is above the fast one, so it is stable whenever the fast one is.
    if (!TwoPoleHighpassCore::stable(fast)) {
        return std::unexpected(IndicatorError::invalid_period("decycler oscillator needs fast period >= 2"));
    }
    return DecyclerOscillator(fast, slow);
}

}  // namespace torvex
