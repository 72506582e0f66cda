#include "indicators/momentum/volume_weighted_macd.hpp"

#include "indicators/cores/macd_core.hpp"

namespace torvex {

std::expected<VolumeWeightedMacd, IndicatorError> VolumeWeightedMacd::create(std::uint64_t fast,
                                                                             std::uint64_t slow,
                                                                             std::uint64_t signal) {
    if (auto ok = check_macd_periods(fast, slow, signal); !ok) return std::unexpected(ok.error());
    return VolumeWeightedMacd(*VwmaCore::create(fast), *VwmaCore::create(slow), SeededEma(signal));
}

std::optional<std::array<double, 3>> VolumeWeightedMacd::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    const std::optional<double> fast = fast_.step(bar.close, bar.volume);
    const std::optional<double> slow = slow_.step(bar.close, bar.volume);
    if (!fast || !slow) return std::nullopt;
    const double macd = *fast - *slow;
    if (!is_finite(macd)) return std::nullopt;
    const std::optional<double> signal = signal_.step(macd);
    if (!signal) return std::nullopt;
    return std::array<double, 3>{macd, *signal, macd - *signal};
}

}  // namespace torvex
