// A window of the last values with their running sum, re-added every n updates so
// that rounding drift cannot build up: the state of the plain rolling means.
#pragma once

#include <cstddef>
#include <cmath>
#include <cstdint>
#include <expected>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/error.hpp"

namespace torvex {

// The owner decides the order in which a value comes in, the oldest leaves and the
// re-sum runs; each step below is one fixed piece of arithmetic on the sum.
class SummedWindow {
public:
    // Z then M on n.
    // `span`: the most values the window holds at once (n when the oldest leaves
    // before the update is counted, n + 1 when after).
    static std::expected<SummedWindow, IndicatorError> create(std::uint64_t n, std::uint64_t span);
    // The common order: the oldest leaves before the update is counted (span n).
    static std::expected<SummedWindow, IndicatorError> create(std::uint64_t n) { return create(n, n); }

    // Appends x and adds it to the sum (no input guard).
    void append(double x) {
        values_.push_back(x);
        sum_ = sum_ + x;
        magnitude_ = magnitude_ + std::fabs(x);
    }

    // Takes the oldest value out of the sum and the window; the window must not be
    // empty. A sum that has fallen far below its recent size is re-added at once (see
    // ResumClock), whichever side of the update's count the owner drops on.
    void drop_oldest() {
        sum_ = sum_ - values_.front();
        magnitude_ = magnitude_ - std::fabs(values_.front());
        values_.pop_front();
        if (clock_.fell_since_resum(magnitude_)) [[unlikely]] resum();
    }

    // Counts one update; on the n-th since the last re-sum, and when the sum has
    // fallen far below its recent size (see ResumClock), the sum becomes the window
    // re-added in arrival order from -0.0.
    void count_update() {
        if (clock_.tick(magnitude_)) [[unlikely]] resum();
    }

    std::size_t size() const { return values_.size(); }
    bool full() const { return values_.size() >= period_; }
    double sum() const { return sum_; }
    std::uint64_t period() const { return period_; }
    // The values held, oldest first.
    const FixedRing<double>& values() const { return values_; }

private:
    // The ring has room for the span: an owner that counts the update before the
    // oldest leaves holds n + 1 values for a moment.
    SummedWindow(std::uint64_t n, std::uint64_t span) : values_(span > n ? span : n), period_(n), clock_(n) {}

    void resum();

    FixedRing<double> values_;
    std::uint64_t period_;
    double sum_ = 0.0;
    double magnitude_ = 0.0;  // Σ|x| over the window: the values may have either sign
    ResumClock clock_;
};

}  // namespace torvex
