// Running sums of deviations from a shift anchor: the variance-style sums of the
// band, regression and relative-volatility cores. Summing x - shift instead of x
// keeps the squares small when the values sit far from zero, and re-centring the
// anchor on the window mean every n updates keeps rounding drift bounded. A value
// whose squared deviation dwarfed the whole sum of squares also brings a
// re-centring on the update that takes it out (n updates after it came), so a window
// that has turned flat reads exactly flat as soon as the huge value has gone.
#pragma once

#include <cmath>
#include <cstdint>

#include "indicators/cores/resum_clock.hpp"

namespace torvex {

class ShiftedSums {
public:
    // Takes a leaving value's deviation out of both sums.
    void remove(double old) {
        const double d = old - shift_;
        s1_ = s1_ - d;
        s2_ = s2_ - d * d;
    }

    // Adds x (the first value ever becomes the anchor); counts one update towards
    // the next re-centring and answers x - shift.
    double add(double x) {
        if (!shift_set_) {
            shift_ = x;
            shift_set_ = true;
        }
        return add_anchored(x);
    }

    // add for sums whose anchor is already set (some value was added before).
    double add_anchored(double x) {
        const double d = x - shift_;
        updates_ += 1;
        if (ResumClock::dwarfs(d * d, s2_)) outweighed_at_ = updates_;
        s1_ = d + s1_;
        s2_ = d * d + s2_;
        since_recenter_ += 1;
        return d;
    }

    // True every n updates (a fixed phase), and on the update that removes the
    // latest dwarfing value of an n-value window (one that came after the window
    // first filled). Call once per update.
    bool recenter_due(std::uint64_t n) {
        const bool periodic = since_recenter_ >= n;
        if (periodic) since_recenter_ = 0;
        return periodic || (outweighed_at_ > n && updates_ == outweighed_at_ + n);
    }

    // Moves the anchor to the window mean and re-adds both sums from 0.0.
    // `for_each(fn)` must call fn(v) for the `count` window values, oldest first.
    // An empty window returns the sums to their fresh state.
    template <class ForEach>
    void recenter(std::uint64_t count, const ForEach& for_each) {
        if (count == 0) {
            const std::uint64_t updates = updates_;
            const std::uint64_t outweighed_at = outweighed_at_;
            *this = ShiftedSums{};
            updates_ = updates;
            outweighed_at_ = outweighed_at;
            return;
        }
        double total = 0.0;
        for_each([&total](double v) { total += v; });
        const double m = total / static_cast<double>(count);
        double s1 = 0.0;
        double s2 = 0.0;
        for_each([&](double v) {
            const double d = v - m;
            s1 += d;
            s2 += d * d;
        });
        shift_ = m;
        shift_set_ = true;
        s1_ = s1;
        s2_ = s2;
    }

    // Mean of the n values held: shift + s1 / n.
    double mean(double n) const { return shift_ + s1_ / n; }

    // Population variance s2 / n - (s1 / n)^2, clamped to 0 when negative or NaN.
    double population_variance(double n) const { return moments(n).variance; }

    // The mean and the population variance together, exactly as mean(n) and
    // population_variance(n) give them. s1 / n and s2 / n are divided side by side
    // in one packed division: each lane is the same correctly rounded quotient as a
    // scalar division, and the divider is what a per-bar deviation waits on.
    struct Moments {
        double mean;
        double variance;
    };
    Moments moments(double n) const {
        using Pair = double __attribute__((vector_size(16)));
        const Pair q = Pair{s1_, s2_} / Pair{n, n};
        const double a = q[0];
        const double var = q[1] - a * a;
        return {shift_ + a, (var >= 0.0) ? var : 0.0};
    }

    // Sample variance (divisor n - 1, n >= 2): fma(n, -(s1/n)^2, s2) / (n - 1), taken
    // as 0 when it is not above zero (rounding can push a flat window below it).
    double sample_variance(double n) const {
        const double a = s1_ / n;
        const double var = std::fma(n, -(a * a), s2_) / (n - 1.0);
        return (var > 0.0) ? var : 0.0;
    }

    double shift() const { return shift_; }
    double s1() const { return s1_; }
    double s2() const { return s2_; }
    bool shift_set() const { return shift_set_; }
    std::uint64_t since_recenter() const { return since_recenter_; }

private:
    double shift_ = 0.0;
    double s1_ = 0.0;
    double s2_ = 0.0;
    std::uint64_t since_recenter_ = 0;
    std::uint64_t updates_ = 0;
    std::uint64_t outweighed_at_ = 0;  // 0: none yet
    bool shift_set_ = false;
};

}  // namespace torvex
