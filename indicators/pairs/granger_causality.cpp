#include "indicators/pairs/granger_causality.hpp"

#include <cmath>
#include <span>
#include "indicators/cores/repeat_period.hpp"
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

std::optional<double> GrangerCausality::step(double a, double b) {
    window_.push(PairInput{a, b});
    if (!window_.full()) return std::nullopt;
    // Closes that repeat every q <= lag bars + 1 are fitted exactly by their own lags
    // (c_t = c_(t−q), or a constant when q is 1), and so with the references too:
    // two perfect fits, no improvement. Decided on the closes, as the two residual
    // sums are then roundings, whose quotient is no F.
    const auto close = [this](std::size_t i) { return window_[i].a; };
    if (smallest_period(period_, lag_ + 1, close) != 0) return 0.0;
    const std::optional<double> restricted = fit_rss(false);
    if (!restricted) return 0.0;
    const std::optional<double> unrestricted = fit_rss(true);
    if (!unrestricted) return 0.0;
    const double rows = static_cast<double>(period_ - lag_);
    const double lags = static_cast<double>(lag_);
    const double f = ((*restricted - *unrestricted) / lags) / (*unrestricted / (rows - (2.0 * lags + 1.0)));
    // Two perfect fits leave 0/0: no improvement, so 0 rather than NaN.
    return max_skipping_nan(f, 0.0);
}

}  // namespace torvex
