#include "indicators/pairs/beta_neutral_spread.hpp"

namespace torvex {

std::expected<BetaNeutralSpread, IndicatorError> BetaNeutralSpread::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("beta-neutral spread needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return BetaNeutralSpread(period);
}

std::optional<double> BetaNeutralSpread::step(double a, double b) {
    if (!window_.push(a, b)) return std::nullopt;
    // a - (alpha + beta*b) with alpha = mean_a - beta*mean_b, written as the centred
    // residual: the same value, without rounding a and beta*b at the price level
    // before they cancel.
    const PairMoments m = window_.moments();
    const AnchoredPairWindow::Pair d = window_.centred(a, b);
    if (m.var_b == 0.0) return d.a;
    return d.a - (m.cov / m.var_b) * d.b;
}

}  // namespace torvex
