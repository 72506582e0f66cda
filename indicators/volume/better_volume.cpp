#include "indicators/volume/better_volume.hpp"

#include <algorithm>
#include <limits>

namespace torvex {

std::expected<BetterVolume, IndicatorError> BetterVolume::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return BetterVolume(n);
}

std::optional<double> BetterVolume::step(const Ohlcv& bar) {
    const double range = bar.high - bar.low;
    const Entry now{bar.volume, range * bar.volume, range > 0.0, bar.volume / range};
    window_.push(now);
    if (!window_.full()) return std::nullopt;
    constexpr double kInf = std::numeric_limits<double>::infinity();
    double lowest_volume = kInf;
    double highest_range_volume = -kInf;
    double highest_volume_per_range = -kInf;
    const std::uint64_t older = window_.size() - 1;
    for (std::uint64_t i = 0; i < older; ++i) {
        const Entry& e = window_[i];
        lowest_volume = std::min(lowest_volume, e.volume);
        highest_range_volume = std::max(highest_range_volume, e.range_volume);
        if (e.has_range) highest_volume_per_range = std::max(highest_volume_per_range, e.volume_per_range);
    }
    const bool climax = now.range_volume > highest_range_volume;
    const bool churn = now.has_range && now.volume_per_range > highest_volume_per_range;
    if (climax && churn) return 4.0;
    if (climax) return bar.close < bar.open ? -3.0 : 3.0;
    if (churn) return 2.0;
    return bar.volume < lowest_volume ? 1.0 : 0.0;
}

}  // namespace torvex
