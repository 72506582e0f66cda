// Volume-weighted average of the typical price over every bar since the first: the
// line anchored at the object's first accepted bar, never re-anchored.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/compensated_sum.hpp"
#include "indicators/indicator.hpp"
#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

class Vwap final : public CandleIndicator<Vwap> {
public:
    static std::expected<Vwap, IndicatorError> create() { return Vwap(); }

    // Nothing while no bar has had volume; Σ tp·v / Σ v after.
    std::optional<double> step(const Ohlcv& bar) {
        pv_sum_.add(typical_price(bar) * bar.volume);
        volume_sum_.add(bar.volume);
        const double volume = volume_sum_.value();
        if (volume == 0.0) return std::nullopt;
        return pv_sum_.value() / volume;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    Vwap() = default;
    // Cumulative sums: compensated so long runs do not drift.
    CompensatedSum pv_sum_;
    CompensatedSum volume_sum_;
};

// The anchored VWAP is the same line: its anchor is the first accepted bar.
using AnchoredVwap = Vwap;

}  // namespace torvex
