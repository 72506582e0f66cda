#include "indicators/trend/kase_dev_stop.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, KaseDevStop, 2);

std::expected<KaseDevStop, IndicatorError> KaseDevStop::create(std::uint64_t n, double k) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("Kase DevStop period must be >= 2"));
    auto ranges = VarianceWindow::create(n);
    if (!ranges) return std::unexpected(ranges.error());
    if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return KaseDevStop(std::move(*ranges), k);
}

}  // namespace torvex
