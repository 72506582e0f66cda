#include "indicators/trend/elder_safe_zone.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, ElderSafeZone, 2);

std::expected<ElderSafeZone, IndicatorError> ElderSafeZone::create(std::uint64_t n, double k) {
    auto down = PenetrationRing::create(n);
    if (!down) return std::unexpected(down.error());
    if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    auto up = PenetrationRing::create(n);
    if (!up) return std::unexpected(up.error());
    return ElderSafeZone(std::move(*down), std::move(*up), n, k);
}

}  // namespace torvex
