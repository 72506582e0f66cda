#include "indicators/volatility/rvi_volatility.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, RviVolatility);

std::expected<RviVolatility, IndicatorError> RviVolatility::create(std::uint64_t n) {
    auto core = RviVolatilityCore::create(n);
    if (!core) return std::unexpected(core.error());
    return RviVolatility(std::move(*core));
}

}  // namespace torvex
