#include "indicators/momentum/rsi.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Rsi);

std::expected<Rsi, IndicatorError> Rsi::create(std::uint64_t n) {
    auto core = RsiCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Rsi(std::move(*core));
}

}  // namespace torvex
