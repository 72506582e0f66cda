#include "indicators/volatility/atr.hpp"

namespace torvex {

std::expected<Atr, IndicatorError> Atr::create(std::uint64_t n) {
    auto atr = WilderAtr::create(n);
    if (!atr) return std::unexpected(atr.error());
    return Atr(*atr);
}

}  // namespace torvex
