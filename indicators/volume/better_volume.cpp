#include "indicators/volume/better_volume.hpp"

#include <algorithm>
#include <cmath>
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
    bool climax = range_volume > highest_range_volume;
    bool churn = has_range && volume_per_range > highest_volume_per_range;
    // Near ties go out of line (a negative highest, which no market prints, leaves
    // the band empty and the doubles decide).
    constexpr double kNear = 1.0 + 0x1p-20;
    if ((climax && range_volume <= highest_range_volume * kNear) ||
        (churn && volume_per_range <= highest_volume_per_range * kNear)) [[unlikely]] {
        const Marks settled = settle_ties(bar, highest_range_volume, highest_volume_per_range, {climax, churn});
        climax = settled.climax;
        churn = settled.churn;
    }
    if (climax && churn) return 4.0;
    if (climax) return bar.close < bar.open ? -3.0 : 3.0;
    if (churn) return 2.0;
    return bar.volume < lowest_volume ? 1.0 : 0.0;
}

BetterVolume::Marks BetterVolume::settle_ties(const Ohlcv& bar, double highest_range_volume,
                                              double highest_volume_per_range, Marks marks) {
    // The range is a difference of two prices, each a decimal that doubles hold to
    // half a unit in its last place, so range × volume and volume / range carry a
    // relative rounding of about ulp(price) / range. Values of the same decimals this
    // close are a tie, which beats nothing: distinct products or quotients of decimal
    // prices and volumes lie apart by a unit of their grids, far beyond it.
    const double range = bar.high - bar.low;
    if (!(range > 0.0)) return marks;
    const double rounding = 0x1p-46 * std::max(std::fabs(bar.high), std::fabs(bar.low)) / range;
    const double range_volume = range * bar.volume;
    const double volume_per_range = bar.volume / range;
    if (marks.climax && range_volume - highest_range_volume <= rounding * range_volume) marks.climax = false;
    if (marks.churn && volume_per_range - highest_volume_per_range <= rounding * volume_per_range) marks.churn = false;
    return marks;
}

}  // namespace torvex
