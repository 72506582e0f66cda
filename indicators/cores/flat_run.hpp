// Length of the run of equal values that ends with the newest one. A window of n
// values is flat exactly when the run covers n; the statistics that give a fixed
// answer for a flat window read this instead of testing a computed spread for zero,
// because the window mean of n equal values is not always that value in floating
// point, and the spread about it then comes out as rounding noise rather than 0.
#pragma once

#include <cstdint>

namespace torvex {

class FlatRun {
public:
    // Without a branch: the loops that push every bar keep their pace whatever the
    // series (a fresh run's last value counts nothing, as run_ is 0).
    void push(double x) {
        const std::uint64_t longer = run_ + static_cast<std::uint64_t>(run_ < UINT64_MAX);
        run_ = x == last_ ? longer : 1;
        last_ = x;
    }

    // True when the last n values pushed are all equal.
    bool covers(std::uint64_t n) const { return run_ >= n; }

    // How many values in a row, up to the newest, are equal.
    std::uint64_t length() const { return run_; }

    // The newest value pushed.
    double last() const { return last_; }

private:
    double last_ = 0.0;
    std::uint64_t run_ = 0;
};

}  // namespace torvex
