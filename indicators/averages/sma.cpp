#include "indicators/averages/sma.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Sma);

std::expected<Sma, IndicatorError> Sma::create(std::uint64_t n) {
    auto core = SmaCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Sma(std::move(*core));
}

}  // namespace torvex
