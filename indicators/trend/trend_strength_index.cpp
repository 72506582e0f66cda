#include "indicators/trend/trend_strength_index.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, TrendStrengthIndex);

std::expected<TrendStrengthIndex, IndicatorError> TrendStrengthIndex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("period must be >= 2 for a regression"));
    return TrendStrengthIndex(n);
}

}  // namespace torvex
