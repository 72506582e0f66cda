// A window of the last values with their running sum, re-added every n updates so
// that rounding drift cannot build up: the state of the plain rolling means.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <expected>

#include "indicators/error.hpp"

namespace torvex {

// The owner decides the order in which a value comes in, the oldest leaves and the
// re-sum runs; each step below is one fixed piece of arithmetic on the sum.
class SummedWindow {
public:
    // Z then M on n.
    static std::expected<SummedWindow, IndicatorError> create(std::uint64_t n);

    // Appends x and adds it to the sum (no input guard).
    void append(double x) {
        values_.push_back(x);
        sum_ = sum_ + x;
    }

    // Takes the oldest value out of the sum and the window; the window must not be empty.
    void drop_oldest() {
        sum_ = sum_ - values_.front();
        values_.pop_front();
    }

    // Counts one update; on the n-th since the last re-sum, the sum becomes the
    // window re-added in arrival order from -0.0.
    void count_update();

    std::size_t size() const { return values_.size(); }
    bool full() const { return values_.size() >= period_; }
    double sum() const { return sum_; }
    std::uint64_t period() const { return period_; }

private:
    explicit SummedWindow(std::uint64_t n) : period_(n) {}

    std::deque<double> values_;
    std::uint64_t period_;
    double sum_ = 0.0;
    std::uint64_t since_resum_ = 0;
};

}  // namespace torvex
