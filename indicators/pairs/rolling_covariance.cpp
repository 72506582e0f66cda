#include "indicators/pairs/rolling_covariance.hpp"

namespace torvex {

std::expected<RollingCovariance, IndicatorError> RollingCovariance::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("rolling covariance needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return RollingCovariance(period);
}

std::optional<double> RollingCovariance::step(double a, double b) {
    const std::optional<PairInput> d = changes_.step(a, b);
    if (!d) return std::nullopt;
    if (!window_.push(d->a, d->b)) return std::nullopt;
    const PairMoments m = window_.moments();
    return m.cov;
}

}  // namespace torvex
