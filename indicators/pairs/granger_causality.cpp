#include "indicators/pairs/granger_causality.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <span>
#include "indicators/cores/distinct_rows.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

std::expected<GrangerCausality, IndicatorError> GrangerCausality::create(std::uint64_t period, std::uint64_t lag) {
    if (lag == 0) return std::unexpected(IndicatorError::invalid_period("granger causality needs lag >= 1"));
    if (auto ok = check_max_period(lag); !ok) return std::unexpected(ok.error());
    if (period < 3 * lag + 2)
        return std::unexpected(IndicatorError::invalid_period("granger causality needs period >= 3*lag + 2"));
    // The window and the (2*lag + 1)^2 normal matrix are allocated here.
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    const std::uint64_t k = 2 * lag + 1;
    if (k * k > MAX_PERIOD) return std::unexpected(IndicatorError::period_too_long());
    return GrangerCausality(period, lag);
}

std::optional<double> GrangerCausality::fit_rss(bool with_reference) {
    const std::size_t lag = lag_;
    const auto row = [&](std::size_t t, std::span<double> x) {
        x[0] = 1.0;
        for (std::size_t j = 1; j <= lag; ++j) {
            x[j] = window_[t - j].a;
            if (with_reference) x[lag + j] = window_[t - j].b;
        }
        return window_[t].a;
    };
    return fit_.fit(with_reference ? 2 * lag + 1 : lag + 1, lag, period_, row);
}

bool GrangerCausality::degenerate_rows() {
    // Row t = lag .. period − 1 regresses close_t on the `lag` bars before it, window
    // positions t − lag .. t − 1: a row is the iterator at its oldest bar.
    using Row = CappedRing<PairInput>::const_iterator;
    const std::size_t lag = lag_;
    const auto differing = [lag](Row x, Row y) {
        std::advance(x, lag);
        std::advance(y, lag);
        return static_cast<unsigned>(x->a != y->a);
    };
    const auto same_closes = [lag](Row x, Row y) {
        for (std::size_t q = 0; q < lag; ++q, ++x, ++y)
            if (x->a != y->a) return false;
        return true;
    };
    const auto same_pairs = [lag](Row x, Row y) {
        for (std::size_t q = 0; q < lag; ++q, ++x, ++y)
            if (x->a != y->a || x->b != y->b) return false;
        return true;
    };
    const std::size_t rows = period_ - lag;
    const std::span<Row> firsts(firsts_);
    // Pairs differ wherever their closes do: the rows of closes, counted up to the
    // columns of the design with the references, settle most windows alone.
    const DistinctRows closes = count_distinct_rows(window_.begin(), rows, 2 * lag + 1, firsts, same_closes, differing);
    if (closes.count > 2 * lag + 1) return false;
    if (singular_or_exact_fit(closes, lag + 1, 1)) return true;
    const DistinctRows pairs = count_distinct_rows(window_.begin(), rows, 2 * lag + 1, firsts, same_pairs, differing);
    return singular_or_exact_fit(pairs, 2 * lag + 1, 1);
}

bool GrangerCausality::dependent_columns() {
    // Columns: the intercept, the close lags, the reference lags, then the closes fitted.
    const std::size_t lag = lag_, m = 2 * lag + 2, rows = period_ - lag;
    ColumnGrid closes, references;
    for (const PairInput& p : window_) {
        closes.add(p.a);
        references.add(p.b);
    }
    const std::span<double> bits = gram_.bits();
    std::fill(bits.begin(), bits.end(), closes.norm_bits(rows));
    bits[0] = 0.5 * std::log2(static_cast<double>(rows));
    std::fill_n(bits.begin() + static_cast<std::ptrdiff_t>(lag + 1), lag, references.norm_bits(rows));
    const auto fill = [&](const ModPrime& mod, ModularGram& gram) {
        gram.clear();
        const std::span<std::uint64_t> x = gram.row();
        for (std::size_t t = lag; t < period_; ++t) {
            x[0] = mod.of_count(1);
            for (std::size_t j = 1; j <= lag; ++j) {
                x[j] = mod.of(window_[t - j].a, closes);
                x[lag + j] = mod.of(window_[t - j].b, references);
            }
            x[m - 1] = mod.of(window_[t].a, closes);
            gram.add_row(mod);
        }
    };
    const GramBlock whole{};
    return zero_determinants(gram_, std::span(&whole, 1), fill) != 0;
}

double GrangerCausality::rotated_statistic() {
    // With the intercept in both fits, a constant taken from every close, and another
    // from every reference, changes no answer in exact arithmetic. The newest pair's
    // prices subtract exactly from every price within a factor of two of them, so
    // that the rows are sized by the window's moves and not by the price level.
    const std::size_t lag = lag_, m = 2 * lag + 2;
    const PairInput level = window_[period_ - 1];
    rotated_.clear(m);
    const std::span<double> x = rotated_.row();
    for (std::size_t t = lag; t < period_; ++t) {
        x[0] = 1.0;
        for (std::size_t j = 1; j <= lag; ++j) {
            x[j] = window_[t - j].a - level.a;
            x[lag + j] = window_[t - j].b - level.b;
        }
        x[m - 1] = window_[t].a - level.a;
        rotated_.add();
    }
    // The close's parts along the reference lags are what they remove from the
    // residual sum: no difference of two sums to cancel.
    double gain = 0.0, fitted = 0.0;
    for (std::size_t i = 0; i < m - 1; ++i) {
        const double part = rotated_.at(i, m - 1) * rotated_.at(i, m - 1);
        fitted += part;
        if (i > lag) gain += part;
    }
    const double rho = rotated_.at(m - 1, m - 1);
    // A residual within some 2^-40 of the closes' moves lies within the rotations'
    // rounding of them, and the statistic, 1e23 or more, keeps none of its digits: the
    // window is read as the exact fit it is to the doubles' precision.
    if (!(rho * rho > kNoDigits * (fitted + rho * rho))) return 0.0;
    return statistic(gain, rho * rho);
}

double GrangerCausality::statistic(double gain, double rss) const {
    const double rows = static_cast<double>(period_ - lag_);
    const double lags = static_cast<double>(lag_);
    const double f = (gain / lags) / (rss / (rows - (2.0 * lags + 1.0)));
    // Two perfect fits leave 0/0: no improvement, so 0 rather than NaN.
    return max_skipping_nan(f, 0.0);
}

std::optional<double> GrangerCausality::step(double a, double b) {
    window_.push(PairInput{a, b});
    if (!window_.full()) return std::nullopt;
    // Equal rows, as a halt of both legs or closes that repeat within lag + 1 bars
    // make, leave a design singular or fitted exactly: 0, as for a singular solve,
    // and as no improvement can be measured over an exact fit. Decided on the rows,
    // as the solves would read pivots and residual sums of roundings.
    if (degenerate_rows()) return 0.0;
    const std::optional<double> restricted = fit_rss(false);
    const std::optional<double> unrestricted = restricted ? fit_rss(true) : std::nullopt;
    // A pivot or the residual sum within rounding of zero may be a residue of
    // roundings where exact arithmetic finds a singular design or an exact fit, and one
    // near it leaves the answer few digits, as where the price level dwarfs the
    // window's moves: the window's values decide, and a regular design is solved by
    // rotations of its moves. The first pivots are the fit without the references'
    // own, and its residual sum is not below the one with them.
    if (!unrestricted || fit_.in_doubt(*unrestricted, period_ - lag_, 0.0, kFewDigits)) [[unlikely]]
        return dependent_columns() ? 0.0 : rotated_statistic();
    return statistic(*restricted - *unrestricted, *unrestricted);
}

}  // namespace torvex
