#include "indicators/volatility/natr.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Natr);

std::expected<Natr, IndicatorError> Natr::create(std::uint64_t n) {
    auto atr = WilderAtr::create(n);
    if (!atr) return std::unexpected(atr.error());
    return Natr(*atr);
}

}  // namespace torvex
