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
    // The prices are kept first, so that they need not live through the logs.
    bars_[bar_at_] = Bar{a, b};
    if (++bar_at_ == bar_count_) bar_at_ = 0;
    const double log_close = std::log(a);
    const double log_ref = std::log(b);
    if (!logs_.push(log_ref, log_close)) return std::nullopt;
    const PairMoments m = logs_.moments();
    const double beta = m.var_a == 0.0 ? 0.0 : m.cov / m.var_a;
    const double z = log_close - beta * log_ref;
    const double fit_bound = spread_rounding(m, beta, log_close, log_ref);
    const double noise = fit_noise_.push(fit_bound);
    if (near_left_ != 0) [[unlikely]] near_step(Bar{a, b}, z, fit_bound);
    if (!spreads_.push(z)) return std::nullopt;
    const double var = spreads_.variance();
    // Spreads whose deviation is within the rounding that each of them carries are
    // flat: the same line fitted twice reads ln close − beta·ln reference apart by
    // that rounding, and a score over it is ±1 or ±2. n values each within r of a
    // common value deviate from their mean by at most r.
    const double sd = std::sqrt(var);
    if (var == 0.0) return 0.0;
    if (sd <= noise && flat_within_carried_rounding(sd)) [[unlikely]] return 0.0;
    return (z - spreads_.mean()) / sd;
}

bool PairSpreadZScore::flat_within_carried_rounding(double sd) {
    if (near_left_ == 0) start_near();
    near_left_ = bar_count_;
    return sd <= near_largest_;
}

void PairSpreadZScore::start_near() {
    near_.clear();
    near_noise_.clear();
    near_far_ = 0;
    // bars_ has gone round (the spread window is full), the bar of this step the
    // newest: its last z_period bars close the hedge windows of the spreads held,
    // whose worst-case bounds fit_noise_ still holds.
    const std::size_t count = bar_count_;
    const Bar& oldest = bars_[bar_at_];
    near_a_ = oldest.a;
    near_b_ = oldest.b;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t age = count - 1 - k;
        // Spreads only for the bars whose hedge window near_ holds whole.
        const bool spread = age < spreads_.period();
        near_push(bars_[(bar_at_ + k) % count], spread ? spreads_.from_newest(age) : 0.0,
                  spread ? fit_noise_.recent(age) : 0.0);
    }
}

void PairSpreadZScore::near_step(const Bar& bar, double z, double fit_bound) {
    near_left_ -= 1;
    near_push(bar, z, fit_bound);
}

namespace {

// ln(p / p0) for positive p, p0: the difference of the prices is exact or rounded
// relative to itself, so with the quotient's rounding and log1p's (within an ulp)
// the result is within 4u·|ln(p / p0)| (ln(1 + r) >= r / (1 + r) for r >= 0, so a
// relative error e of r moves it by at most e·ln(1 + r)).
double log_ratio(double p, double p0) {
    if (p >= p0) return std::log1p((p - p0) / p0);
    return -std::log1p((p0 - p) / p);
}

}  // namespace

void PairSpreadZScore::near_push(const Bar& bar, double z, double fit_bound) {
    double ref = log_ratio(bar.b, near_b_);
    double close = log_ratio(bar.a, near_a_);
    if (near_far_ > 0) near_far_ -= 1;
    if (!(is_finite(ref) && is_finite(close))) [[unlikely]] {
        // A price beyond the largest double times the other: near_ holds a stand-in
        // and serves no bound until it has left.
        ref = 0.0;
        close = 0.0;
        near_far_ = near_.period();
    }
    if (!near_.push(ref, close)) return;
    near_largest_ = near_noise_.push(carried_rounding(z, std::log(bar.a), std::log(bar.b), fit_bound));
}

double PairSpreadZScore::carried_rounding(double z, double log_close, double log_ref, double fit_bound) const {
    constexpr double u = 0x1p-53;
    // The slope of the exact logs is that of the relative logs (a shift of either
    // series leaves it), which near_ fits: its moments carry the rounding of the
    // relative logs (within 4u of each, at most |mean| + √n·sd) through the slope
    // by Cauchy–Schwarz as in spread_rounding, and their running sums' own (twice the
    // bound taken there, which also covers a covariance set to 0). Where that
    // rounding is within 2^-20 of the reference's deviation the slope is linear in it
    // to far better than the factor 2 taken; elsewhere (and for a flat reference,
    // whose relative logs may round alike for prices apart) the worst case stands.
    if (near_far_ > 0) return fit_bound;
    const PairMoments m = near_.moments();
    if (!(m.var_a > 0.0)) return fit_bound;
    const double beta = m.cov / m.var_a;
    const double abs_beta = std::fabs(beta);
    const double sd_ref = std::sqrt(m.var_a);
    const double sd_close = std::sqrt(m.var_b);
    const double top_ref = std::fabs(m.mean_a) + root_n_ * sd_ref;
    const double top_close = std::fabs(m.mean_b) + root_n_ * sd_close;
    if (!(4.0 * u * top_ref <= 0x1p-20 * sd_ref)) return fit_bound;
    const AnchoredPairWindow::Pair q = near_.anchored_squares();
    const double logs = 4.0 * (top_ref * (abs_beta * sd_ref + sd_close) + top_close * sd_ref);
    const double sums = 2.0 * moment_rounding_ * (std::sqrt(q.a * q.b) + abs_beta * q.a);
    const double slope = 2.0 * u * (logs + sums) / m.var_a + u * abs_beta;
    // The spread with that slope from the same logs is within its own rounding (the
    // two logs within an ulp each, the product and the difference) and the slope's
    // times ln reference of the exact spread; z lies from it by what they differ.
    const double hedged = abs_beta * std::fabs(log_ref);
    const double near_z = log_close - beta * log_ref;
    const double own = 4.0 * u * (std::fabs(log_close) + hedged);
    const double r = std::fabs(z - near_z) * (1.0 + u) + own + slope * std::fabs(log_ref) * (1.0 + 0x1p-50);
    return r < fit_bound ? r : fit_bound;
}

}  // namespace torvex
