#include "indicators/cycles/correlation_trend_indicator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, CorrelationTrendIndicator);

CorrelationTrendIndicator::CorrelationTrendIndicator(std::uint64_t n) : window_(n), period_(n) {
    const double nf = static_cast<double>(n);
    sx_ = 0.5 * ((nf - 1.0) * nf);
    sxx_ = ((2.0 * nf - 1.0) * ((nf - 1.0) * nf)) / 6.0;
}

std::expected<CorrelationTrendIndicator, IndicatorError> CorrelationTrendIndicator::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("CTI needs period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return CorrelationTrendIndicator(n);
}

}  // namespace torvex
