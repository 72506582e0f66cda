#include "indicators/bands/ma_envelope.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, MaEnvelope, 3);

std::expected<MaEnvelope, IndicatorError> MaEnvelope::create(std::uint64_t n, double fraction) {
    if (!(is_finite(fraction) && fraction > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    auto average = SmaCore::create(n);
    if (!average) return std::unexpected(average.error());
    return MaEnvelope(std::move(*average), fraction);
}

}  // namespace torvex
