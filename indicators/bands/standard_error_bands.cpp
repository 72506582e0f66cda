#include "indicators/bands/standard_error_bands.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, StandardErrorBands, 3);

std::expected<StandardErrorBands, IndicatorError> StandardErrorBands::create(std::uint64_t n, double k) {
    if (n < 3) return std::unexpected(IndicatorError::invalid_period("standard error bands need period >= 3"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    // The residual sum of squares is divided by n - 2.
    return StandardErrorBands(RegressionChannelCore(n, k, static_cast<double>(n - 2)));
}

}  // namespace torvex
