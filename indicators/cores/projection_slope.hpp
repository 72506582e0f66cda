// Least-squares slope of a full window of values against their positions
// 0 (oldest) to n - 1 (newest), from deviations about the window mean.
#pragma once

#include <cstddef>

#include "indicators/cores/lin_reg_core.hpp"

namespace torvex {

// `window` is any arrival-order sequence with size() and operator[] (a ring);
// `pos` holds the owner's n and position sums. No input guard: the owner calls it
// on a window of n finite values.
template <class Window>
double window_slope(const Window& window, const PositionSums& pos) {
    const std::size_t len = window.size();
    double total = -0.0;
    for (std::size_t i = 0; i < len; ++i) total += window[i];
    const double m = total / pos.n;
    double sd = 0.0;
    double sid = 0.0;
    for (std::size_t i = 0; i < len; ++i) {
        const double d = window[i] - m;
        sd += d;
        sid += static_cast<double>(i) * d;
    }
    return (pos.n * sid - pos.sum_x * sd) / pos.denom;
}

}  // namespace torvex
