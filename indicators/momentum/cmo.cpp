#include "indicators/momentum/cmo.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Cmo);

std::expected<Cmo, IndicatorError> Cmo::create(std::uint64_t n) {
    auto core = CmoCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Cmo(std::move(*core));
}

}  // namespace torvex
