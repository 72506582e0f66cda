// The side-flipping trailing stop of the close-price stops: a long stop under the
// price that only rises, a short stop over it that only falls, and a flip of side
// when the close crosses the stop. The owner supplies, for each close, the
// candidate long stop (below) and the candidate short stop (above).
#pragma once

#include <cmath>
#include <optional>
#include "indicators/numeric.hpp"

namespace torvex {

class FlipStop {
public:
    // The new stop. The first close sets a long stop at `below`; a close exactly
    // at the stop does not flip it; in the max and min a NaN candidate, or a zero
    // of the other sign, leaves the stop as it was.
    double advance(double x, double below, double above) {
        if (!stop_) {
            stop_ = below;
        } else if (is_long_) {
            if (*stop_ > x) {
                is_long_ = false;
                stop_ = above;
            } else {
                stop_ = max_skipping_nan(below, *stop_);
            }
        } else if (x > *stop_) {
            is_long_ = true;
            stop_ = below;
        } else {
            stop_ = min_skipping_nan(above, *stop_);
        }
        return *stop_;
    }

private:
    std::optional<double> stop_;
    bool is_long_ = true;
};

}  // namespace torvex
