#include "indicators/volatility/atr.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Atr);

std::expected<Atr, IndicatorError> Atr::create(std::uint64_t n) {
    auto atr = WilderAtr::create(n);
    if (!atr) return std::unexpected(atr.error());
    return Atr(*atr);
}

}  // namespace torvex
