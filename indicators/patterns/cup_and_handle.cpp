#include "indicators/patterns/cup_and_handle.hpp"

#include <cmath>

namespace torvex {

std::expected<CupAndHandle, IndicatorError> CupAndHandle::create() { return CupAndHandle{}; }

double CupAndHandle::judge(std::span<const Pivot> p) {
    const double rim1 = p[0].price, cup = p[1].price, rim2 = p[2].price, handle = p[3].price;
    if (!near_within(rim1, rim2, 0.03)) return 0.0;
    if (p[3].direction < 0.0) return (handle > cup && rim2 > handle) ? 1.0 : 0.0;
    return (cup > handle && handle > rim2) ? -1.0 : 0.0;
}

}  // namespace torvex
