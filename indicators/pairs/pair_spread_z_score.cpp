#include "indicators/pairs/pair_spread_z_score.hpp"

#include <cmath>

namespace torvex {

std::expected<PairSpreadZScore, IndicatorError> PairSpreadZScore::create(std::uint64_t beta_period,
                                                                         std::uint64_t z_period) {
    if (beta_period < 2)
        return std::unexpected(IndicatorError::invalid_period("pair spread z-score needs beta_period >= 2"));
    if (auto ok = check_max_period(beta_period); !ok) return std::unexpected(ok.error());
    if (z_period < 2) return std::unexpected(IndicatorError::invalid_period("pair spread z-score needs z_period >= 2"));
    auto spreads = VarianceWindow::create(z_period);
    if (!spreads) return std::unexpected(spreads.error());
    return PairSpreadZScore(beta_period, std::move(*spreads));
}

std::optional<double> PairSpreadZScore::step(double a, double b) {
    const double log_close = std::log(a);
    const double log_ref = std::log(b);
    if (!logs_.push(log_ref, log_close)) return std::nullopt;
    const PairMoments m = logs_.moments();
    const double beta = m.var_a == 0.0 ? 0.0 : m.cov / m.var_a;
    const double z = log_close - beta * log_ref;
    if (!spreads_.push_exact_when_flat(z)) return std::nullopt;
    const double var = spreads_.variance();
    if (var == 0.0) return 0.0;
    return (z - spreads_.mean()) / std::sqrt(var);
}

}  // namespace torvex
