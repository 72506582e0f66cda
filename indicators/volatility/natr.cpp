#include "indicators/volatility/natr.hpp"

namespace torvex {

std::expected<Natr, IndicatorError> Natr::create(std::uint64_t n) {
    auto atr = WilderAtr::create(n);
    if (!atr) return std::unexpected(atr.error());
    return Natr(*atr);
}

std::optional<double> Natr::step(const Ohlcv& bar) {
    const std::optional<double> atr = atr_.step(bar);
    if (!atr) return std::nullopt;
    last_ = bar.close == 0.0 ? 0.0 : *atr * 100.0 / bar.close;
    return last_;
}

}  // namespace torvex
