// A ring of the last n values with their running sum, kept by subtracting the value
// that leaves and adding the one that enters, and re-added from the ring (oldest to
// newest, from -0.0) every n pushes and when the sum has fallen far below its recent
// size (see ResumClock). The re-add bounds the drift and gives a window of zeros an
// exact zero once a huge value has left it, or once the level of the values has
// collapsed.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/cores/rolling_window.hpp"

namespace torvex {

class ResummedRing {
public:
    // n >= 1, already bounded by the owner's period check.
    explicit ResummedRing(std::uint64_t n) : ring_(n), clock_(n) {}

    // Drops the oldest value when n are held, appends x, and re-adds the sum when it
    // is due. No input guard: the owner passes finite values.
    void push(double x) {
        if (const std::optional<double> old = ring_.push(x)) {
            sum_ = sum_ - *old;
            magnitude_ = magnitude_ - std::fabs(*old);
        }
        sum_ = sum_ + x;
        magnitude_ = magnitude_ + std::fabs(x);
        if (clock_.tick(magnitude_)) [[unlikely]] resum();
    }

    double sum() const { return sum_; }
    // The largest Σ|v| since the sum was last re-added: its drift is a few roundings
    // of that size at most.
    double peak_magnitude() const { return clock_.peak(); }
    bool full() const { return ring_.full(); }
    std::uint64_t size() const { return ring_.size(); }
    std::uint64_t period() const { return ring_.capacity(); }
    const FixedRing<double>& ring() const { return ring_; }

private:
    void resum() {
        double s = -0.0;
        ring_.for_each([&](double v) { s += v; });
        sum_ = s;
        magnitude_ = window_magnitude(ring_);
        settle_window(clock_, ring_, ring_.capacity(), magnitude_);
    }

    FixedRing<double> ring_;
    ResumClock clock_;
    double sum_ = 0.0;
    double magnitude_ = 0.0;  // Σ|v| over the ring: the values may have either sign
};

}  // namespace torvex
