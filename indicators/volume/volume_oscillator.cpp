#include "indicators/volume/volume_oscillator.hpp"

namespace torvex {

std::expected<VolumeOscillator, IndicatorError> VolumeOscillator::create(std::uint64_t fast, std::uint64_t slow) {
    if (fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) return std::unexpected(IndicatorError::invalid_period("VolumeOscillator needs fast < slow"));
    auto f = SmaCore::create(fast);
    if (!f) return std::unexpected(f.error());
    auto s = SmaCore::create(slow);
    if (!s) return std::unexpected(s.error());
    return VolumeOscillator(std::move(*f), std::move(*s));
}

std::optional<double> VolumeOscillator::step(const Ohlcv& bar) {
    const std::optional<double> f = fast_.step(bar.volume);
    const std::optional<double> s = slow_.step(bar.volume);
    if (!f || !s) return std::nullopt;
    if (*s == 0.0) return 0.0;
    return (*f - *s) * 100.0 / *s;
}

}  // namespace torvex
