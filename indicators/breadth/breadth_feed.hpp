// The input rule of the market breadth indicators and the per-bar counts over the
// members of the cross-section. Members are not validated.
#pragma once

#include <cstdint>

#include "indicators/cores/feed_indicator.hpp"

namespace torvex {

struct CrossSectionFeed {
    using Input = CrossSection;
    static const CrossSection* find(const BarContext& ctx) { return ctx.cross_section; }
};

template <class Derived>
using BreadthIndicator = FeedIndicator<Derived, CrossSectionFeed>;

struct BreadthCounts {
    std::uint64_t members = 0;
    std::uint64_t advances = 0;  // change above 0
    std::uint64_t declines = 0;  // change below 0 (0 and NaN count as neither)
    double up_volume = 0.0;
    double down_volume = 0.0;
    std::uint64_t new_highs = 0;
    std::uint64_t new_lows = 0;
    std::uint64_t above_ma = 0;
    std::uint64_t bullish = 0;
};

inline BreadthCounts count_breadth(const CrossSection& panel) {
    BreadthCounts c;
    for (const CrossSectionMember& m : panel.members) {
        c.members += 1;
        if (m.change > 0.0) {
            c.advances += 1;
            c.up_volume += m.volume;
        } else if (m.change < 0.0) {
            c.declines += 1;
            c.down_volume += m.volume;
        }
        c.new_highs += m.new_high ? 1 : 0;
        c.new_lows += m.new_low ? 1 : 0;
        c.above_ma += m.above_ma ? 1 : 0;
        c.bullish += m.bullish ? 1 : 0;
    }
    return c;
}

// Advances less declines as a value.
inline double net_advances(const BreadthCounts& c) {
    return static_cast<double>(c.advances) - static_cast<double>(c.declines);
}

// A count used as a divisor, at least 1 (taken before conversion).
inline double at_least_one(std::uint64_t n) { return static_cast<double>(n > 0 ? n : 1); }

}  // namespace torvex
