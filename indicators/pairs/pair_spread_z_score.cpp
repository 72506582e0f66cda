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

inline double PairSpreadZScore::spread_rounding(const PairMoments& m, double beta, double log_close, double log_ref) const {
    constexpr double u = 0x1p-53;
    const double abs_beta = std::fabs(beta);
    const double hedged = abs_beta * std::fabs(log_ref);
    // This bar's own: the two logarithms (within an ulp each), the product and the
    // difference.
    double r = 4.0 * (std::fabs(log_close) + hedged);
    if (m.var_a > 0.0) {
        // What the rounding carried into the fitted slope moves this spread by
        // (times ln reference). A log off by d_i moves the slope by at most
        // rms(d)·(|beta|·sd_ref + sd_residual)/var_ref for the reference's logs and
        // rms(d)/sd_ref for the close's (Cauchy–Schwarz over the window), the residual
        // no wider than the close's logs; each log's d is within an ulp of the largest
        // log of the window, at most |mean| + √n·sd. The moments' own rounding, over
        // up to 2n updates of the running sums and the mean products, is within
        // 8(n + 4)·u of their terms (the mean squares about the anchor, whose
        // geometric mean bounds the covariance's), and a covariance set to 0 within
        // that.
        const double sd_ref = std::sqrt(m.var_a);
        const double sd_close = std::sqrt(m.var_b);
        const double top_ref = std::fabs(m.mean_a) + root_n_ * sd_ref;
        const double top_close = std::fabs(m.mean_b) + root_n_ * sd_close;
        const AnchoredPairWindow::Pair q = logs_.anchored_squares();
        const double logs = top_ref * (abs_beta * sd_ref + sd_close) + top_close * sd_ref;
        const double sums = moment_rounding_ * (std::sqrt(q.a * q.b) + abs_beta * q.a);
        r += std::fabs(log_ref) * (2.0 * (logs + sums)) / m.var_a;
    }
    return u * r;
}

std::optional<double> PairSpreadZScore::step(double a, double b) {
    const double log_close = std::log(a);
    const double log_ref = std::log(b);
    if (!logs_.push(log_ref, log_close)) return std::nullopt;
    const PairMoments m = logs_.moments();
    const double beta = m.var_a == 0.0 ? 0.0 : m.cov / m.var_a;
    const double z = log_close - beta * log_ref;
    const double noise = fit_noise_.push(spread_rounding(m, beta, log_close, log_ref));
    if (!spreads_.push(z)) return std::nullopt;
    const double var = spreads_.variance();
    // Spreads whose deviation is within the rounding that each of them carries are
    // flat: the same line fitted twice reads ln close − beta·ln reference apart by
    // that rounding, and a score over it is ±1 or ±2. n values each within r of a
    // common value deviate from their mean by at most r.
    const double sd = std::sqrt(var);
    if (var == 0.0 || sd <= noise) return 0.0;
    return (z - spreads_.mean()) / sd;
}

}  // namespace torvex
