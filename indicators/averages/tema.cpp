#include "indicators/averages/tema.hpp"

namespace torvex {

std::expected<Tema, IndicatorError> Tema::create(std::uint64_t n) {
    auto chain = EmaChain<3>::create(n);
    if (!chain) return std::unexpected(chain.error());
    return Tema(std::move(*chain));
}

std::optional<double> Tema::step(double close) {
    const auto e = chain_.step(close);
    if (!e) return std::nullopt;
    const auto [e1, e2, e3] = *e;
    return (e1 * 3.0 - e2 * 3.0) + e3;
}

}  // namespace torvex
