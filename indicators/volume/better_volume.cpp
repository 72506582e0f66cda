#include "indicators/volume/better_volume.hpp"

#include <limits>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, BetterVolume);

std::expected<BetterVolume, IndicatorError> BetterVolume::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return BetterVolume(n);
}

std::optional<double> BetterVolume::step(const Ohlcv& bar) {
    const std::uint64_t seq = bars_;
    bars_ += 1;
    const double range = bar.high - bar.low;
    const double range_volume = range * bar.volume;
    const bool has_range = range > 0.0;
    const double volume_per_range = bar.volume / range;

    // The older entries are the n − 1 bars before this one.
    const std::uint64_t first_older = seq + 1 >= period_ ? seq + 1 - period_ : 0;
    lowest_volume_.expire_before(first_older);
    highest_range_volume_.expire_before(first_older);
    highest_volume_per_range_.expire_before(first_older);
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double lowest_volume = lowest_volume_.value().value_or(kInf);
    const double highest_range_volume = highest_range_volume_.value().value_or(-kInf);
    const double highest_volume_per_range = highest_volume_per_range_.value().value_or(-kInf);

    lowest_volume_.push(seq, bar.volume);
    highest_range_volume_.push(seq, range_volume);
    if (has_range) highest_volume_per_range_.push(seq, volume_per_range);

    if (bars_ < period_) return std::nullopt;
    const bool climax = range_volume > highest_range_volume;
    const bool churn = has_range && volume_per_range > highest_volume_per_range;
    if (climax && churn) return 4.0;
    if (climax) return bar.close < bar.open ? -3.0 : 3.0;
    if (churn) return 2.0;
    return bar.volume < lowest_volume ? 1.0 : 0.0;
}

}  // namespace torvex
