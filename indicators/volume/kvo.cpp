#include "indicators/volume/kvo.hpp"

namespace torvex {

std::expected<Kvo, IndicatorError> Kvo::create(std::uint64_t fast, std::uint64_t slow) {
    if (fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) return std::unexpected(IndicatorError::invalid_period("KVO needs fast < slow"));
    if (slow > MAX_PERIOD) return std::unexpected(IndicatorError::period_too_long());
    return Kvo(fast, slow);
}

}  // namespace torvex
