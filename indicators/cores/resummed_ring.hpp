// A ring of the last n values with their running sum, kept by adding the value that
// enters and subtracting the one that leaves, and re-added from the ring (oldest to
// newest) after every n pushes. The re-add bounds the drift, and within n bars of a
// huge value leaving it restores an exact zero for a window of zeros.
#pragma once

#include <cstdint>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

class ResummedRing {
public:
    // n >= 1, already bounded by the owner's period check.
    explicit ResummedRing(std::uint64_t n) : ring_(n) {}

    // Drops the oldest value when n are held, appends x, and re-adds the sum on
    // every n-th push. No input guard: the owner passes finite values.
    void push(double x) {
        if (const std::optional<double> old = ring_.push(x)) sum_ = sum_ - *old;
        sum_ = sum_ + x;
        since_resum_ += 1;
        if (since_resum_ >= ring_.capacity()) resum();
    }

    double sum() const { return sum_; }
    bool full() const { return ring_.full(); }
    std::uint64_t size() const { return ring_.size(); }
    std::uint64_t period() const { return ring_.capacity(); }
    const FixedRing<double>& ring() const { return ring_; }

private:
    void resum() {
        double s = -0.0;
        ring_.for_each([&s](double v) { s += v; });
        sum_ = s;
        since_resum_ = 0;
    }

    FixedRing<double> ring_;
    double sum_ = 0.0;
    std::uint64_t since_resum_ = 0;
};

}  // namespace torvex
