// Running sums of deviations from a shift anchor: the variance-style sums of the
// band, regression and relative-volatility cores. Summing x - shift instead of x
// keeps the squares small when the values sit far from zero, and re-centring the
// anchor on the window mean every n updates keeps rounding drift bounded.
#pragma once

#include <cmath>
#include <cstdint>

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
        const double d = x - shift_;
        s1_ = d + s1_;
        s2_ = d * d + s2_;
        since_recenter_ += 1;
        return d;
    }

    // True once n updates have come since the last re-centring.
    bool recenter_due(std::uint64_t n) const { return since_recenter_ >= n; }

    // Moves the anchor to the window mean and re-adds both sums from 0.0.
    // `for_each(fn)` must call fn(v) for the `count` window values, oldest first.
    // An empty window returns the sums to their fresh state.
    template <class ForEach>
    void recenter(std::uint64_t count, const ForEach& for_each) {
        if (count == 0) {
            *this = ShiftedSums{};
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
        since_recenter_ = 0;
    }

    // Mean of the n values held: shift + s1 / n.
    double mean(double n) const { return shift_ + s1_ / n; }

    // Population variance s2 / n - (s1 / n)^2, clamped to 0 when negative or NaN.
    double population_variance(double n) const {
        const double a = s1_ / n;
        const double var = s2_ / n - a * a;
        return (var >= 0.0) ? var : 0.0;
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
    bool shift_set_ = false;
};

}  // namespace torvex
