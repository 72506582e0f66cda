#include "indicators/bands/hurst_channel.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, HurstChannel, 3);

std::expected<HurstChannel, IndicatorError> HurstChannel::create(std::uint64_t n, double k) {
    if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    auto average = SmaCore::create(n);
    if (!average) return std::unexpected(average.error());
    return HurstChannel(n, std::move(*average), k);
}

}  // namespace torvex
