#include "indicators/trend/elder_ray.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, ElderRay, 2);

std::expected<ElderRay, IndicatorError> ElderRay::create(std::uint64_t n) {
    auto ema = SeededEma::create(n);
    if (!ema) return std::unexpected(ema.error());
    return ElderRay(*ema);
}

}  // namespace torvex
