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
    // `span`: updates from a value's append to the update whose re-sum no longer
    // holds it (n when the oldest leaves before the re-sum, n + 1 when after).
    static std::expected<SummedWindow, IndicatorError> create(std::uint64_t n, std::uint64_t span);
    // The common order: the oldest leaves before the re-sum (span n).
    static std::expected<SummedWindow, IndicatorError> create(std::uint64_t n) { return create(n, n); }

    // Appends x and adds it to the sum (no input guard).
    void append(double x) {
        outweighs_ = ResumClock::dwarfs(x, sum_);
        values_.push_back(x);
        sum_ = sum_ + x;
    }

    // Takes the oldest value out of the sum and the window; the window must not be empty.
    void drop_oldest() {
        sum_ = sum_ - values_.front();
        values_.pop_front();
    }

    // Counts one update; on the n-th since the last re-sum, and on the update that
    // takes out a value which outweighed the sum (see ResumClock), the sum becomes
    // the window re-added in arrival order from -0.0.
    void count_update();

    std::size_t size() const { return values_.size(); }
    bool full() const { return values_.size() >= period_; }
    double sum() const { return sum_; }
    std::uint64_t period() const { return period_; }

private:
    // The ring has room for the span: an owner that re-sums before the oldest leaves
    // holds n + 1 values for a moment.
    SummedWindow(std::uint64_t n, std::uint64_t span) : values_(span > n ? span : n), period_(n), clock_(span, n) {}

    FixedRing<double> values_;
    std::uint64_t period_;
    double sum_ = 0.0;
    ResumClock clock_;
    bool outweighs_ = false;
};

}  // namespace torvex
