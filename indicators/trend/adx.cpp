#include "indicators/trend/adx.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Adx, 3);

std::expected<Adx, IndicatorError> Adx::create(std::uint64_t n) {
    auto core = AdxCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Adx(std::move(*core));
}

}  // namespace torvex
