#include "indicators/pairs/cointegration.hpp"

#include <algorithm>
#include <cmath>


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

bool Cointegration::dependent_columns() {
    const std::size_t n = pairs_.size(), p = lags_, rows = n - (p + 1);
    ColumnGrid ra, rb;
    bool flat = true;
    for (std::size_t i = 0; i < n; ++i) {
        ra.add(pairs_[i].a);
        rb.add(pairs_[i].b);
        flat = flat && pairs_[i].b == pairs_[0].b;
    }
    // With A and B the window's values read as integers, n·Sbb·e_i is a power of two
    // times E_i = Sbb (n A_i − ΣA) − Sab (n B_i − ΣB), where Sbb = n ΣB² − (ΣB)² and
    // Sab = n ΣAB − ΣA ΣB; a flat reference has no hedge, and E_i = n A_i − ΣA.
    const double log_n = std::log2(static_cast<double>(n));
    const double a_bits = ra.bits(), b_bits = rb.bits();
    const double e_bits = flat ? a_bits + log_n + 1.0 : a_bits + 2.0 * b_bits + 3.0 * log_n + 3.0;
    const std::span<double> bits = gram_.bits();
    std::fill(bits.begin(), bits.end(), e_bits + 1.0 + 0.5 * std::log2(static_cast<double>(rows)));
    bits[0] = e_bits + 0.5 * std::log2(static_cast<double>(rows));
    const auto fill = [&](const ModPrime& mod, ModularGram& gram) {
        std::uint64_t sa = 0, sb = 0, sab = 0, sbb = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint64_t a = mod.of(pairs_[i].a, ra), b = mod.of(pairs_[i].b, rb);
            sa = mod.add(sa, a);
            sb = mod.add(sb, b);
            sab = mod.add(sab, mod.mul(a, b));
            sbb = mod.add(sbb, mod.mul(b, b));
        }
        const std::uint64_t count = mod.of_count(n);
        std::uint64_t alpha = count, beta = 0, gamma = mod.sub(0, sa);
        if (!flat) {
            const std::uint64_t s_bb = mod.sub(mod.mul(count, sbb), mod.mul(sb, sb));
            const std::uint64_t s_ab = mod.sub(mod.mul(count, sab), mod.mul(sa, sb));
            alpha = mod.mul(s_bb, count);
            beta = mod.sub(0, mod.mul(s_ab, count));
            gamma = mod.sub(mod.mul(s_ab, sb), mod.mul(s_bb, sa));
        }
        const auto e = [&](std::size_t i) {
            return mod.add(mod.add(mod.mul(alpha, mod.of(pairs_[i].a, ra)), mod.mul(beta, mod.of(pairs_[i].b, rb))),
                           gamma);
        };
        gram.clear();
        const std::span<std::uint64_t> x = gram.row();
        for (std::size_t t = p + 1; t < n; ++t) {
            // x[0] the level e_(t−1), x[j] the change e_(t−j) − e_(t−j−1), x[p + 1] the change fitted.
            std::uint64_t later = e(t), earlier = e(t - 1);
            x[p + 1] = mod.sub(later, earlier);
            x[0] = earlier;
            for (std::size_t j = 1; j <= p; ++j) {
                later = earlier;
                earlier = e(t - j - 1);
                x[j] = mod.sub(later, earlier);
            }
            gram.add_row(mod);
        }
    };
    const GramBlock whole{};
    return zero_determinants(gram_, std::span(&whole, 1), fill) != 0;
}

double Cointegration::adf_statistic() {
    const std::vector<double>& e = residuals_;
    const std::size_t n = e.size();
    const std::size_t k = lags_ + 1;
    if (n <= k || n - k <= k) return 0.0;
    const std::size_t m = n - k;
    // Row t: the change e_t − e_(t−1) on the lagged level and the p lagged changes.
    const auto row = [&](std::size_t t, std::span<double> x) {
        x[0] = e[t - 1];
        for (std::size_t j = 1; j <= lags_; ++j) x[j] = e[t - j] - e[t - j - 1];
        return e[t] - e[t - 1];
    };
    const std::optional<double> rss = fit_.fit(k, k, n, row);
    if (!rss) return 0.0;
    // A pivot or the residual sum within rounding of zero may be a residue of
    // roundings where exact arithmetic finds a singular design or an exact fit, which
    // has no residual to divide by (closes that repeat in a short cycle over a flat
    // reference, a window whose residuals move in steps the lags span). The residuals
    // themselves carry roundings of the deviations they are made of and of the hedge,
    // within a few units in the last place of the deviations each, times the window
    // for the hedge's: a sum or pivot below their squares, widely taken, is in doubt.
    // Prices written as decimals (cents) are held only to half a unit in the last place
    // of their level, so a window whose residuals vanish on the decimals leaves
    // residuals of that size in binary: a regular design of the representation's
    // error, which no pivot test can tell from a fit. A pivot within a wide multiple of
    // it, 2^-46 of the level a row, is in doubt as well, and the exact test reads the
    // decimals. A residual sum within it is a fit made of rounding whatever the exact
    // test would find, and reads the fallback as an exact fit does: the regression
    // reads nothing but the prices' representation errors. So does a reference formed
    // in binary as an exact linear function of the close (500 − 3 times it): its
    // doubles are not exactly collinear, so no exact test on them finds the fit, yet
    // the statistic has no correct digit.
    const double rounding = static_cast<double>(n) * 0x1p-42;
    const double written = 0x1p-46 * level_;
    const double representation = static_cast<double>(m) * written * written;
    const double floor = std::max(rounding * rounding * deviations_, representation);
    if (*rss <= representation) [[unlikely]]
        return 0.0;
    if (fit_.in_doubt(*rss, m, floor)) [[unlikely]]
        if (dependent_columns()) return 0.0;
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
    const PairMoments moments = two_pass_moments(n, a, b, origin);
    const double hedge = slope_a_on_b(moments);
    deviations_ = static_cast<double>(n) * (moments.var_a + hedge * hedge * moments.var_b);
    level_ = std::fabs(origin.a0) + std::fabs(hedge) * std::fabs(origin.b0);
    for (std::size_t i = 0; i < n; ++i)
        residuals_[i] = origin.deviation_a(pairs_[i].a) - hedge * origin.deviation_b(pairs_[i].b);
    const double spread = residuals_.back();
    return std::array<double, 3>{hedge, spread, adf_statistic()};
}

}  // namespace torvex
