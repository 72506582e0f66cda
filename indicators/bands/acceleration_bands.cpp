#include "indicators/bands/acceleration_bands.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, AccelerationBands, 3);

std::expected<AccelerationBands, IndicatorError> AccelerationBands::create(std::uint64_t n, double factor) {
    if (!(is_finite(factor) && factor > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    auto high = SmaCore::create(n);
    if (!high) return std::unexpected(high.error());
    auto close = SmaCore::create(n);
    auto low = SmaCore::create(n);
    return AccelerationBands(std::move(*high), std::move(*close), std::move(*low), factor);
}

}  // namespace torvex
