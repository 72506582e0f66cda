// Highest and lowest of the last n numbers (NaN skipped), kept by two monotone
// queues: O(1) amortised per push instead of a scan of the window. A NaN takes its
// place in the window but never becomes an extreme, just as a scan that ignores NaN
// finds; among equal extremes the newest is kept.
#pragma once

#include <cstdint>

#include "indicators/cores/rolling_window.hpp"
#include "indicators/cores/sliding_extremes.hpp"

namespace torvex {

class NanSkippingExtremes {
public:
    // n checked by the owner (1..MAX_PERIOD).
    explicit NanSkippingExtremes(std::uint64_t n) : hi_(n), lo_(n), period_(n) {}

    void push(double v);

    // (−inf, +inf) while the window holds no number.
    HiLo hi_lo() const;

    // Multiplies every value of the window by 2^k.
    void scale_by(int k) {
        hi_.scale_values(k);
        lo_.scale_values(k);
    }

    std::uint64_t size() const { return pushed_ < period_ ? pushed_ : period_; }
    bool full() const { return pushed_ >= period_; }

private:
    ExtremeQueue<NotAboveIncoming> hi_;  // values strictly falling from front to back
    ExtremeQueue<NotBelowIncoming> lo_;  // values strictly rising from front to back
    std::uint64_t period_;
    std::uint64_t pushed_ = 0;
};

}  // namespace torvex
