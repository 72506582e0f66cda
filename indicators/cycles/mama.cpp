#include "indicators/cycles/mama.hpp"

namespace torvex {

std::expected<Mama, IndicatorError> Mama::create(double fast_limit, double slow_limit) {
    auto core = MamaCore::create(fast_limit, slow_limit);
    if (!core) return std::unexpected(core.error());
    return Mama(*core);
}

}  // namespace torvex
