#include "indicators/bands/bollinger_bandwidth.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, BollingerBandwidth);

std::expected<BollingerBandwidth, IndicatorError> BollingerBandwidth::create(std::uint64_t n, double k) {
    auto bands = BollingerCore::create(n, k);
    if (!bands) return std::unexpected(bands.error());
    return BollingerBandwidth(std::move(*bands));
}

}  // namespace torvex
