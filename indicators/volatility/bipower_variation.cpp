#include "indicators/volatility/bipower_variation.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, BipowerVariation);

std::expected<BipowerVariation, IndicatorError> BipowerVariation::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (n == 1) return std::unexpected(IndicatorError::invalid_period("bipower variation period must be >= 2"));
    return BipowerVariation(n);
}

}  // namespace torvex
