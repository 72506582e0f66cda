#include "indicators/volume/volume_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, VolumeOscillator);

std::expected<VolumeOscillator, IndicatorError> VolumeOscillator::create(std::uint64_t fast, std::uint64_t slow) {
    if (fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) return std::unexpected(IndicatorError::invalid_period("VolumeOscillator needs fast < slow"));
    auto f = SmaCore::create(fast);
    if (!f) return std::unexpected(f.error());
    auto s = SmaCore::create(slow);
    if (!s) return std::unexpected(s.error());
    return VolumeOscillator(std::move(*f), std::move(*s));
}

}  // namespace torvex
