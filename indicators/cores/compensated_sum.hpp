// A running total kept with Neumaier's compensation: the rounding error of every
// addition is carried beside the total, so a line summed over millions of bars stays
// within a few units in the last place of the exact sum instead of drifting.
#pragma once

#include <cmath>

namespace torvex {

class CompensatedSum {
public:
    void add(double x) {
        const double t = sum_ + x;
        if (std::fabs(sum_) >= std::fabs(x)) {
            carry_ += (sum_ - t) + x;
        } else {
            carry_ += (x - t) + sum_;
        }
        sum_ = t;
    }

    // The total with its carried error folded in. A non-finite total stays non-finite.
    double value() const { return std::isfinite(sum_) ? sum_ + carry_ : sum_; }

private:
    double sum_ = 0.0;
    double carry_ = 0.0;
};

}  // namespace torvex
