#include "indicators/pairs/treynor_ratio.hpp"

namespace torvex {

std::expected<TreynorRatio, IndicatorError> TreynorRatio::create(std::uint64_t period, double risk_free) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("treynor ratio needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return TreynorRatio(period, risk_free);
}

std::optional<double> TreynorRatio::step(double a, double b) {
    if (!window_.push(a, b)) return std::nullopt;
    const PairMoments m = window_.moments();
    if (m.var_b == 0.0) return 0.0;
    const double beta = m.cov / m.var_b;
    if (beta == 0.0) return 0.0;
    return (m.mean_a - risk_free_) / beta;
}

}  // namespace torvex
