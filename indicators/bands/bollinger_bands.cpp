#include "indicators/bands/bollinger_bands.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, BollingerBands, 4);

std::expected<BollingerBands, IndicatorError> BollingerBands::create(std::uint64_t n, double k) {
    auto core = BollingerCore::create(n, k);
    if (!core) return std::unexpected(core.error());
    return BollingerBands(std::move(*core));
}

}  // namespace torvex
