// The sample variance of the last n values as a function of the values held alone.
#pragma once

#include <cstdint>
#include <expected>
#include <utility>

#include "indicators/cores/sorted_window.hpp"
#include "indicators/error.hpp"

namespace torvex {

// The sample variance of a sliding window that depends on which values the window
// holds, and on nothing else: not on the order they came in, nor on sums carried over
// from earlier windows. Two windows of the same values give the same bits, and so do
// two windows of each other's negatives (the returns of a market moving among a few
// prices rise and fall by the same steps). A history of such measures then keeps the
// ties that exact arithmetic has, and a rank or a quantile over it does not turn on a
// last-bit rounding that a running sum carried in from bars long gone.
//
// Each measure sums the sorted window again: the deviations from its median, those
// above and those below each summed from the median outwards, so that the sums of
// negated values are the same sums with their signs turned; then the shifted-sum
// variance of them. O(n) a measure.
class MultisetVariance {
public:
    // n = 0: "window size must be non-zero"; above MAX_PERIOD: the maximum text.
    static std::expected<MultisetVariance, IndicatorError> create(std::uint64_t n);

    // Takes a value that is not NaN, evicting the oldest once n are held; true once n are
    // held.
    bool push(double v) {
        window_.push(v);
        return window_.full();
    }

    // Divisor n − 1 (n ≥ 2), the numerator as one fused multiply-add, clamped at 0;
    // exactly 0 when every value held is equal, and 0 when one is infinite. Where the
    // squared deviations overflow the variance is infinite, or 0 where the sums meet
    // infinities of both signs. The window must not be empty.
    double sample_variance() const;

    std::uint64_t period() const { return window_.capacity(); }

private:
    explicit MultisetVariance(SortedWindow window) : window_(std::move(window)) {}

    SortedWindow window_;
};

}  // namespace torvex
