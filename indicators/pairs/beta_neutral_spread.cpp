#include "indicators/pairs/beta_neutral_spread.hpp"

namespace torvex {

std::expected<BetaNeutralSpread, IndicatorError> BetaNeutralSpread::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("beta-neutral spread needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return BetaNeutralSpread(period);
}

std::optional<double> BetaNeutralSpread::step(double a, double b) {
    if (!window_.push(a, b)) return std::nullopt;
    const PairMoments m = window_.moments();
    if (m.var_b == 0.0) return a - m.mean_a;
    const double beta = m.cov / m.var_b;
    const double alpha = m.mean_a - beta * m.mean_b;
    return a - (alpha + beta * b);
}

}  // namespace torvex
