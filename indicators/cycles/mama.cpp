#include "indicators/cycles/mama.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Mama, 2);

std::expected<Mama, IndicatorError> Mama::create(double fast_limit, double slow_limit) {
    auto core = MamaCore::create(fast_limit, slow_limit);
    if (!core) return std::unexpected(core.error());
    return Mama(*core);
}

}  // namespace torvex
