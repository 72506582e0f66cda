#include "indicators/pairs/cointegration.hpp"

#include <cmath>

#include "indicators/cores/exact_sum.hpp"
#include "indicators/cores/repeat_period.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Cointegration, 3);

std::expected<Cointegration, IndicatorError> Cointegration::create(std::uint64_t period, std::uint64_t adf_lags) {
    // 2*adf_lags + 4 formed without wrap: a lag count that large needs a longer window
    // than any period can be.
    if (adf_lags > (UINT64_MAX - 4) / 2 || period < 2 * adf_lags + 4)
        return std::unexpected(IndicatorError::invalid_period("cointegration needs period >= 2*adf_lags + 4"));
    // The residual window and the (adf_lags + 1)^2 normal matrix are allocated here.
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    const std::uint64_t k = adf_lags + 1;
    if (k * k > MAX_PERIOD) return std::unexpected(IndicatorError::period_too_long());
    return Cointegration(period, adf_lags);
}

bool Cointegration::adf_fits_exactly() const {
    const std::size_t n = pairs_.size();
    const double reference = pairs_[0].b;
    for (std::size_t i = 1; i < n; ++i)
        if (pairs_[i].b != reference) return false;
    // A flat reference gives no hedge: the residuals are the closes less their mean.
    // Closes that repeat every q bars make residuals with e_t = e_(t−q), which the
    // p + 1 lagged levels the regression spans (e_(t−1) and p lagged changes) fit
    // exactly when q <= p + 1. When the residuals also sum to nothing over a cycle,
    // e_t = −(e_(t−1) + … + e_(t−q+1)) fits with q = p + 2.
    const auto close = [this](std::size_t i) { return pairs_[i].a; };
    const std::size_t q = smallest_period(n, lags_ + 2, close);
    if (q == 0) return false;
    if (q <= lags_ + 1) return true;
    // The window's mean is a cycle's mean when its r = n mod q closes beyond whole
    // cycles have the cycle's mean: q·Σ(first r) = r·Σ(first q), compared exactly.
    const std::size_t r = n % q;
    ExactSum difference;
    for (std::size_t i = 0; i < r; ++i)
        for (std::size_t j = 0; j < q; ++j) difference.add(close(i));
    for (std::size_t j = 0; j < q; ++j)
        for (std::size_t i = 0; i < r; ++i) difference.add(-close(j));
    return difference.rounded() == 0.0;
}

double Cointegration::adf_statistic() {
    const std::vector<double>& e = residuals_;
    const std::size_t n = e.size();
    const std::size_t k = lags_ + 1;
    if (n <= k || n - k <= k) return 0.0;
    const std::size_t m = n - k;
    // An exact fit has no residual to divide by, however its roundings leave one.
    if (adf_fits_exactly()) return 0.0;
    // Row t: the change e_t − e_(t−1) on the lagged level and the p lagged changes.
    const auto row = [&](std::size_t t, std::span<double> x) {
        x[0] = e[t - 1];
        for (std::size_t j = 1; j <= lags_; ++j) x[j] = e[t - j] - e[t - j - 1];
        return e[t] - e[t - 1];
    };
    const std::optional<double> rss = fit_.fit(k, k, n, row);
    if (!rss) return 0.0;
    const double b0 = fit_.coefficients()[0];
    const double s2 = *rss / static_cast<double>(m - k);
    const std::optional<double> z0 = fit_.inverse_first();
    if (!z0) return 0.0;
    const double v = s2 * *z0;
    if (!(v > 0.0)) return 0.0;
    return b0 / std::sqrt(v);
}

std::optional<std::array<double, 3>> Cointegration::step(const BarContext& ctx) {
    const std::optional<PairInput> p = pair_input(ctx, PairDomain::Finite);
    if (!p) return std::nullopt;
    pairs_.push(Pair{p->a, p->b});
    if (!pairs_.full()) return std::nullopt;
    // The hedge and the residuals are taken from the window in two passes, as the
    // residual statistic walks the window anyway: the answer is the window's own,
    // with no rounding of running sums that differs with the bars before it (the ADF
    // statistic of a near-exact fit reads that rounding). Residuals are centred
    // through the first pair, so nothing is rounded at the price level before the
    // terms cancel.
    const std::size_t n = pairs_.size();
    const auto a = [this](std::size_t i) { return pairs_[i].a; };
    const auto b = [this](std::size_t i) { return pairs_[i].b; };
    const PairOrigin origin = pair_origin(n, a, b);
    const double hedge = slope_a_on_b(two_pass_moments(n, a, b, origin));
    for (std::size_t i = 0; i < n; ++i)
        residuals_[i] = origin.deviation_a(pairs_[i].a) - hedge * origin.deviation_b(pairs_[i].b);
    const double spread = residuals_.back();
    return std::array<double, 3>{hedge, spread, adf_statistic()};
}

}  // namespace torvex
