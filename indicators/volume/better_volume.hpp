// Better volume: a code for the bar's volume against the older bars of the window
// (climax, churn, both, low volume, or nothing).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/sliding_extreme.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class BetterVolume final : public CandleIndicator<BetterVolume> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<BetterVolume, IndicatorError> create(std::uint64_t n);

    // Once n bars are held: 4 climax and churn, ±3 climax (−3 on a falling bar),
    // 2 churn, 1 volume below every older bar's, else 0.
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit BetterVolume(std::uint64_t n)
        : lowest_volume_(n), highest_range_volume_(n), highest_volume_per_range_(n), period_(n) {}

    // Clears a climax or churn whose value ties the older bars' highest in the bar's
    // decimals, which rounding set a few units apart.
    struct Marks {
        bool climax;
        bool churn;
    };
    [[gnu::noinline]] static Marks settle_ties(const Ohlcv& bar, double highest_range_volume,
                                               double highest_volume_per_range, Marks marks);

    // Extremes over the n − 1 bars before the current one, kept as sliding windows
    // rather than rescanned: the same values, O(1) amortised per bar.
    SlidingExtreme<Extreme::Smallest> lowest_volume_;
    SlidingExtreme<Extreme::Largest> highest_range_volume_;      // range × volume
    SlidingExtreme<Extreme::Largest> highest_volume_per_range_;  // bars with a range only
    std::uint64_t period_;
    std::uint64_t bars_ = 0;  // bars seen; the current bar's sequence number
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, BetterVolume);

}  // namespace torvex
