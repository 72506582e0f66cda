#include "indicators/pairs/rolling_correlation.hpp"

namespace torvex {

std::expected<RollingCorrelation, IndicatorError> RollingCorrelation::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("rolling correlation needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return RollingCorrelation(period);
}

std::optional<double> RollingCorrelation::step(double a, double b) {
    const std::optional<PairInput> d = changes_.step(a, b);
    if (!d) return std::nullopt;
    if (!window_.push(d->a, d->b)) return std::nullopt;
    const PairMoments m = window_.moments();
    return bounded_correlation(m);
}

}  // namespace torvex
