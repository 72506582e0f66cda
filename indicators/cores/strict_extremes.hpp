// Whether one bar of a window is a strict swing point: its high above every other
// high, its low below every other low. Both, one or neither can hold.
#pragma once

#include <cstddef>

#include "indicators/bar.hpp"
#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

struct StrictExtremes {
    bool high = true;
    bool low = true;
};

// `at` counts from the oldest bar of the window.
inline StrictExtremes strict_extremes(const FixedRing<Ohlcv>& bars, std::size_t at) {
    const Ohlcv& candidate = bars.from_oldest(at);
    StrictExtremes r;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (i == at) continue;
        const Ohlcv& other = bars.from_oldest(i);
        r.high = r.high && candidate.high > other.high;
        r.low = r.low && candidate.low < other.low;
    }
    return r;
}

}  // namespace torvex
