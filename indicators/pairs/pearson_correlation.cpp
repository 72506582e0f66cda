#include "indicators/pairs/pearson_correlation.hpp"

namespace torvex {

std::expected<PearsonCorrelation, IndicatorError> PearsonCorrelation::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("pearson correlation needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return PearsonCorrelation(period);
}

std::optional<double> PearsonCorrelation::step(double a, double b) {
    if (!window_.push(a, b)) return std::nullopt;
    const PairMoments m = window_.moments();
    return bounded_correlation(m);
}

}  // namespace torvex
