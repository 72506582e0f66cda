#include "indicators/pairs/alpha.hpp"

namespace torvex {

std::expected<Alpha, IndicatorError> Alpha::create(std::uint64_t period, double risk_free) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("alpha needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return Alpha(period, risk_free);
}

std::optional<double> Alpha::step(double a, double b) {
    if (!window_.push(a, b)) return std::nullopt;
    const PairMoments m = window_.moments();
    if (m.var_b == 0.0) return m.mean_a - risk_free_;
    const double beta = m.cov / m.var_b;
    return m.mean_a - (risk_free_ + beta * (m.mean_b - risk_free_));
}

}  // namespace torvex
