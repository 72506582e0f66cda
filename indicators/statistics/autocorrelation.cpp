#include "indicators/statistics/autocorrelation.hpp"

#include "indicators/cores/anchored_mean.hpp"
#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Autocorrelation);

std::expected<Autocorrelation, IndicatorError> Autocorrelation::create(std::uint64_t period, std::uint64_t lag) {
    if (lag == 0) return std::unexpected(IndicatorError::invalid_period("autocorrelation lag must be >= 1"));
    if (period <= lag) return std::unexpected(IndicatorError::invalid_period("autocorrelation needs period > lag"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return Autocorrelation(period, lag);
}

std::optional<double> Autocorrelation::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    const std::span<const double> w = window_.view();
    const AnchoredMean m = anchored_mean(w.begin(), w.end(), w.size());
    double v = 0.0;
    for (double x : w) {
        const double d = m.deviation(x);
        v += d * d;
    }
    double c = 0.0;
    for (std::size_t i = 0; i + lag_ < w.size(); ++i) c += m.deviation(w[i]) * m.deviation(w[i + lag_]);
    if (v == 0.0) return 0.0;
    return c / v;
}

}  // namespace torvex
