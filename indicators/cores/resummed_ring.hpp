// A ring of the last n values with their running sum, kept by subtracting the value
// that leaves and adding the one that enters, and re-added from the ring (oldest to
// newest, from -0.0) every n pushes and on the push that takes out a value which
// dwarfed the window when it came (see ResumClock). The re-add bounds the drift and
// gives a window of zeros an exact zero once a huge value has left it.
//
// The values may have either sign, so a value is measured against the window's sum of
// magnitudes rather than the sum itself (a signed sum near zero is no sign of a value
// that dwarfs its neighbours). That scale is taken at each re-sum, at most n pushes
// old: it carries no running arithmetic of its own from push to push.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"

namespace torvex {

class ResummedRing {
public:
    // n >= 1, already bounded by the owner's period check.
    explicit ResummedRing(std::uint64_t n) : ring_(n), clock_(n, n) {}

    // Drops the oldest value when n are held, appends x, and re-adds the sum when it
    // is due. No input guard: the owner passes finite values.
    void push(double x) {
        if (const std::optional<double> old = ring_.push(x)) sum_ = sum_ - *old;
        const bool outweighs = ResumClock::dwarfs(x, scale_);
        sum_ = sum_ + x;
        if (clock_.tick(outweighs)) resum();
    }

    double sum() const { return sum_; }
    bool full() const { return ring_.full(); }
    std::uint64_t size() const { return ring_.size(); }
    std::uint64_t period() const { return ring_.capacity(); }
    const FixedRing<double>& ring() const { return ring_; }

private:
    void resum() {
        double s = -0.0;
        double m = -0.0;
        ring_.for_each([&](double v) {
            s += v;
            m += std::fabs(v);
        });
        sum_ = s;
        scale_ = m;
    }

    FixedRing<double> ring_;
    ResumClock clock_;
    double sum_ = 0.0;
    double scale_ = 0.0;  // Σ|v| over the ring at the last re-sum: what a new value is judged by
};

}  // namespace torvex
