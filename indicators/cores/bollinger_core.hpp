// The band core: mean and population deviation of the last n values, and the
// bands at k deviations around the mean.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/bar.hpp"
#include "indicators/error.hpp"
#include "indicators/cores/variance_window.hpp"

namespace torvex {

struct BandPoint {
    double upper;
    double middle;
    double lower;
    double stddev;
};

class BollingerCore {
public:
    // Checks in order: n = 0 ZeroPeriod, n above MAX_PERIOD InvalidPeriod, k not a
    // finite value above zero NonPositiveMultiplier. Owners whose checks run in
    // another order test first and then call this.
    static std::expected<BollingerCore, IndicatorError> create(std::uint64_t n, double k);

    // Refuses a non-finite x (no value, nothing changed); the bands once n values came.
    std::optional<BandPoint> step(double x) {
        if (!advance(x)) return std::nullopt;
        return point();
    }

    // The same step answering whether the window is full (then point()): the form
    // the hot loops use. False for a refused x.
    bool advance(double x) {
        if (!is_finite(x)) return false;
        return window_.push(x);
    }

    // The bands of the window; meaningful once advance answered true.
    BandPoint point() const {
        const ShiftedSums::Moments m = window_.moments();
        const double sd = std::sqrt(m.variance);
        return BandPoint{m.mean + k_ * sd, m.mean, m.mean - k_ * sd, sd};
    }

    std::uint64_t period() const { return window_.period(); }
    double multiplier() const { return k_; }
    std::uint64_t count() const { return window_.size(); }

private:
    BollingerCore(VarianceWindow window, double k) : window_(std::move(window)), k_(k) {}

    VarianceWindow window_;
    double k_;
};

}  // namespace torvex
