#include "indicators/averages/ema.hpp"

namespace torvex {

std::expected<Ema, IndicatorError> Ema::create(std::uint64_t n) {
    auto chain = EmaChain<1>::create(n);
    if (!chain) return std::unexpected(chain.error());
    return Ema(std::move(*chain));
}

std::optional<double> Ema::step(double close) {
    const auto e = chain_.step(close);
    if (!e) return std::nullopt;
    return (*e)[0];
}

}  // namespace torvex
