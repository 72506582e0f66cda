// Sum of squared residuals of a full window about its own least-squares line
// against the positions 0 (oldest) to n - 1 (newest). The values are taken
// relative to the oldest one, so large price levels do not swamp the small
// deviations that the residuals measure.
#pragma once

#include <cstddef>

#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

// `denom` is n·Σi² − (Σi)² over the positions of the window's n values.
inline double detrended_square_sum(const FixedRing<double>& window, double denom) {
    const std::size_t len = window.size();
    const double nf = static_cast<double>(len);
    const double centre = (nf - 1.0) * 0.5;
    const double base = window.front();
    double sum = 0.0;
    window.for_each([&](double v) { sum += v - base; });
    const double mean = sum / nf;

    double sxy = 0.0;
    double i = 0.0;
    window.for_each([&](double v) {
        sxy += ((v - base) - mean) * (i - centre);
        i += 1.0;
    });
    const double slope = sxy / (denom / nf);

    double sse = 0.0;
    i = 0.0;
    window.for_each([&](double v) {
        const double r = ((v - base) - mean) - slope * (i - centre);
        sse += r * r;
        i += 1.0;
    });
    return sse;
}

}  // namespace torvex
