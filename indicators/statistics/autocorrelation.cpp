#include "indicators/statistics/autocorrelation.hpp"

#include "indicators/cores/anchored_mean.hpp"
#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<Autocorrelation, IndicatorError> Autocorrelation::create(std::uint64_t period, std::uint64_t lag) {
    if (lag == 0) return std::unexpected(IndicatorError::invalid_period("autocorrelation lag must be >= 1"));
    if (period <= lag) return std::unexpected(IndicatorError::invalid_period("autocorrelation needs period > lag"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return Autocorrelation(period, lag);
}

std::optional<double> Autocorrelation::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    const AnchoredMean m = anchored_mean(window_.begin(), window_.end(), window_.size());
    double v = 0.0;
    for (double x : window_) {
        const double d = m.deviation(x);
        v += d * d;
    }
    double c = 0.0;
    auto lead = window_.cbegin() + static_cast<std::ptrdiff_t>(lag_);
    for (auto it = window_.cbegin(); lead != window_.cend(); ++it, ++lead) c += m.deviation(*it) * m.deviation(*lead);
    if (v == 0.0) return 0.0;
    return c / v;
}

}  // namespace torvex
