// The band core: mean and population deviation of the last n values, and the
// bands at k deviations around the mean.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

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
    std::optional<BandPoint> step(double x);

    std::uint64_t period() const { return window_.period(); }
    double multiplier() const { return k_; }
    std::uint64_t count() const { return window_.size(); }

private:
    BollingerCore(VarianceWindow window, double k) : window_(std::move(window)), k_(k) {}

    VarianceWindow window_;
    double k_;
};

}  // namespace torvex
