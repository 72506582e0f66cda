// Better volume: a code for the bar's volume against the older bars of the window
// (climax, churn, both, low volume, or nothing).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class BetterVolume final : public CandleIndicator<BetterVolume> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<BetterVolume, IndicatorError> create(std::uint64_t n);

    // Once n bars are held: 4 climax and churn, ±3 climax (−3 on a falling bar),
    // 2 churn, 1 volume below every older bar's, else 0.
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    struct Entry {
        double volume;
        double range_volume;      // range × volume
        bool has_range;           // range > 0
        double volume_per_range;  // volume / range; read only when has_range
    };
    explicit BetterVolume(std::uint64_t n) : window_(n) {}

    FixedRing<Entry> window_;
};

}  // namespace torvex
