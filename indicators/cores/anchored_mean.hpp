// Deviations of a window's values from their mean, taken relative to the window's
// first value. Forming the mean from the raw values rounds it to the precision of
// the price level (1e6 carries an ulp near 1e-10), and that error then shifts every
// deviation alike, which odd moments and lagged products amplify; relative to the
// first value the differences are exact and the mean of them keeps full precision.
// A flat window gives deviations of exactly 0.
#pragma once

#include <cstddef>

namespace torvex {

struct AnchoredMean {
    double base;    // the first value of the window
    double offset;  // the mean of (v − base)

    double deviation(double v) const { return (v - base) - offset; }
};

// [first, last) is a non-empty run of `count` values in arrival order.
template <class It>
AnchoredMean anchored_mean(It first, It last, std::size_t count) {
    const double base = *first;
    double sum = 0.0;
    for (It it = first; it != last; ++it) sum += *it - base;
    return AnchoredMean{base, sum / static_cast<double>(count)};
}

}  // namespace torvex
