#include "indicators/volume/ease_of_movement.hpp"

namespace torvex {

std::expected<EaseOfMovement, IndicatorError> EaseOfMovement::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return EaseOfMovement(n);
}

}  // namespace torvex
