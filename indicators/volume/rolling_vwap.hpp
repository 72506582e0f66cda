// Volume-weighted average of the typical price over a sliding window of n bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resummed_ring.hpp"
#include "indicators/indicator.hpp"
#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

class RollingVwap final : public CandleIndicator<RollingVwap> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<RollingVwap, IndicatorError> create(std::uint64_t n);

    // Nothing until n bars, and nothing while the window holds no volume.
    std::optional<double> step(const Ohlcv& bar) {
        price_volumes_.push(typical_price(bar) * bar.volume);
        volumes_.push(bar.volume);
        if (!volumes_.full() || volumes_.sum() == 0.0) return std::nullopt;
        return price_volumes_.sum() / volumes_.sum();
    }
    std::uint64_t warmup() const override { return volumes_.period(); }

private:
    explicit RollingVwap(std::uint64_t n) : price_volumes_(n), volumes_(n) {}

    // Both sums are re-added from their windows after every n pushes.
    ResummedRing price_volumes_;
    ResummedRing volumes_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, RollingVwap);

}  // namespace torvex
