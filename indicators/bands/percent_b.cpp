#include "indicators/bands/percent_b.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, PercentB);

std::expected<PercentB, IndicatorError> PercentB::create(std::uint64_t n, double k) {
    auto bands = BollingerCore::create(n, k);
    if (!bands) return std::unexpected(bands.error());
    return PercentB(std::move(*bands));
}

}  // namespace torvex
