#include "indicators/volatility/volatility_ratio.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, VolatilityRatio);

std::expected<VolatilityRatio, IndicatorError> VolatilityRatio::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VolatilityRatio(n);
}

}  // namespace torvex
