// Small helpers over the arrival-order windows (std::deque<double>) that several
// oscillators keep: a capped push and the fold of a window to its high and low.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <limits>
#include <optional>

namespace torvex {

// Appends v; when the window already holds `cap` values the oldest leaves first and
// is handed back so the caller can take it out of its running sums.
inline std::optional<double> push_capped(std::deque<double>& window, std::uint64_t cap, double v) {
    std::optional<double> evicted;
    if (window.size() >= cap) {
        evicted = window.front();
        window.pop_front();
    }
    window.push_back(v);
    return evicted;
}

struct HiLo {
    double hi;
    double lo;
};

// Highest and lowest value, folded in arrival order from -inf and +inf.
inline HiLo window_hi_lo(const std::deque<double>& window) {
    HiLo r{-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    for (double v : window) {
        r.hi = std::max(r.hi, v);
        r.lo = std::min(r.lo, v);
    }
    return r;
}

// Plain sum in arrival order from `start` (callers pass -0.0 or 0.0 as their
// arithmetic demands); used to re-add running sums so drift cannot build up.
inline double window_sum(const std::deque<double>& window, double start) {
    double s = start;
    for (double v : window) s += v;
    return s;
}

}  // namespace torvex
