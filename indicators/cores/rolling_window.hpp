// Small helpers over the arrival-order windows that several oscillators keep (a
// FixedRing, or any sequence with the same front/back interface): a capped push and
// the folds of a window to its high and low and to its sum.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "indicators/cores/resum_clock.hpp"

namespace torvex {

// Appends v; when the window already holds `cap` values the oldest leaves first and
// is handed back so the caller can take it out of its running sums. A ring passes
// its own capacity as `cap`.
template <class Window>
std::optional<double> push_capped(Window& window, std::uint64_t cap, double v) {
    std::optional<double> evicted;
    if (window.size() >= cap) {
        evicted = window.front();
        window.pop_front();
    }
    window.push_back(v);
    return evicted;
}

// Calls f on every value from the oldest to the newest: a ring's own two-run walk
// where it has one, the sequence's iterators otherwise.
template <class Window, class F>
void visit_oldest_first(const Window& window, F&& f) {
    if constexpr (requires { window.for_each(f); }) {
        window.for_each(f);
    } else {
        for (double v : window) f(v);
    }
}

struct HiLo {
    double hi;
    double lo;
};

// Highest and lowest value, folded in arrival order from -inf and +inf.
template <class Window>
HiLo window_hi_lo(const Window& window) {
    HiLo r{-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    visit_oldest_first(window, [&r](double v) {
        r.hi = std::max(r.hi, v);
        r.lo = std::min(r.lo, v);
    });
    return r;
}

// Plain sum in arrival order from `start` (callers pass -0.0 or 0.0 as their
// arithmetic demands); used to re-add running sums so drift cannot build up.
template <class Window>
double window_sum(const Window& window, double start) {
    double s = start;
    visit_oldest_first(window, [&s](double v) { s += v; });
    return s;
}

// Σ|v| in arrival order from 0.0: the size of a window of signed values, which a sum
// that may cancel to near zero cannot tell (see ResumClock).
template <class Window>
double window_magnitude(const Window& window) {
    double s = 0.0;
    visit_oldest_first(window, [&s](double v) { s += std::fabs(v); });
    return s;
}

// Settles `clock` (see ResumClock::settle) after a re-add of sums whose terms are
// the values of `window`, a window of `capacity` values that takes one a tick.
template <class Window, class... M>
void settle_window(ResumClock& clock, const Window& window, std::uint64_t capacity, M... magnitudes) {
    clock.settle(
        ResumClock::first_leaves(capacity, window.size()),
        [&window](auto&& fn) { visit_oldest_first(window, [&fn](double v) { fn(v); }); }, magnitudes...);
}

}  // namespace torvex
