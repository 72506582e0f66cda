#include "indicators/averages/generalized_dema.hpp"

namespace torvex {

std::expected<GeneralizedDema, IndicatorError> GeneralizedDema::create(std::uint64_t n, double v) {
    auto chain = EmaChain<2>::create(n);
    if (!chain) return std::unexpected(chain.error());
    if (!(v >= 0.0 && v <= 1.0))
        return std::unexpected(IndicatorError::invalid_period("GD volume factor must be a finite value in [0.0, 1.0]"));
    return GeneralizedDema(std::move(*chain), v);
}

std::optional<double> GeneralizedDema::step(double close) {
    const auto e = chain_.step(close);
    if (!e) return std::nullopt;
    const auto [e1, e2] = *e;
    return e1 * (1.0 + v_) - e2 * v_;
}

}  // namespace torvex
