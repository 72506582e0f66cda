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
    if (!spreads_.push(z)) return std::nullopt;
    const double var = spreads_.variance();
    // Spreads that differ only by the rounding of the fits that made them are flat:
    // two fits of the same line read ln close − beta·ln reference an ulp apart, and a
    // score over that spread of ulps is ±1 or ±2. A deviation below 2^-36 of the log
    // levels (a relative price move of about 1e-10) is such a spread.
    const double level = std::fabs(log_close) + std::fabs(beta * log_ref);
    if (var == 0.0 || std::sqrt(var) <= 0x1p-36 * level) return 0.0;
    return (z - spreads_.mean()) / std::sqrt(var);
}

}  // namespace torvex
