// Cumulative breadth lines: a running total of one per-bar breadth difference,
// answered on every bar that carries a cross-section (an empty panel adds nothing).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/breadth/breadth_feed.hpp"

namespace torvex {

template <double (*Delta)(const BreadthCounts&)>
class BreadthLine final : public BreadthIndicator<BreadthLine<Delta>> {
public:
    static std::expected<BreadthLine, IndicatorError> create() { return BreadthLine(); }

    std::optional<double> step(const CrossSection& panel) {
        line_ += Delta(count_breadth(panel));
        return line_;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    BreadthLine() = default;

    double line_ = 0.0;
};

inline double net_volume(const BreadthCounts& c) { return c.up_volume - c.down_volume; }

// Advances less declines, summed.
using AdvanceDecline = BreadthLine<&net_advances>;
// Up volume less down volume, summed; the cumulative volume index is the same line.
using AdVolumeLine = BreadthLine<&net_volume>;
using CumulativeVolumeIndex = BreadthLine<&net_volume>;

}  // namespace torvex
