#include "indicators/pairs/pair_spread_z_score.hpp"

#include <algorithm>
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
    return PairSpreadZScore(beta_period, z_period, std::move(*spreads));
}

std::optional<double> PairSpreadZScore::step(double a, double b) {
    const double log_close = std::log(a);
    const double log_ref = std::log(b);
    if (!logs_.push(log_ref, log_close)) return std::nullopt;
    const PairMoments m = logs_.moments();
    const double beta = m.var_a == 0.0 ? 0.0 : m.cov / m.var_a;
    const double z = log_close - beta * log_ref;
    // What the rounding of the logs can move the hedge by, carried into this spread:
    // each log is off by up to an ulp of its level, which moves the fitted slope by
    // that relative to the spread of the reference's logs in the hedge window, and
    // the spread by that times ln reference. A hedge window whose logs span little
    // (a price that moves by 1e-6) fits a slope that jitters from bar to bar by far
    // more than the spread's own rounding.
    const double sd_ref = std::sqrt(m.var_a);
    const double log_level = std::max(std::fabs(log_close), std::fabs(log_ref));
    const double noise = sd_ref > 0.0 ? 0x1p-44 * std::fabs(beta) * log_level * std::fabs(log_ref) / sd_ref : 0.0;
    fits_ += 1;
    if (fits_ > z_period_) fit_noise_.expire_before(fits_ - z_period_ + 1);
    fit_noise_.push(fits_, noise);
    if (!spreads_.push(z)) return std::nullopt;
    const double var = spreads_.variance();
    // Spreads that differ only by the rounding of the fits that made them are flat:
    // two fits of the same line read ln close − beta·ln reference an ulp apart, and a
    // score over that spread of ulps is ±1 or ±2. A deviation below 2^-36 of the log
    // levels (a relative price move of about 1e-10), or below the largest rounding
    // that the window's fits carried into their spreads, is such a spread.
    const double level = std::fabs(log_close) + std::fabs(beta * log_ref);
    const double sd = std::sqrt(var);
    if (var == 0.0 || sd <= 0x1p-36 * level || sd <= fit_noise_.value().value_or(0.0)) return 0.0;
    return (z - spreads_.mean()) / std::sqrt(var);
}

}  // namespace torvex
