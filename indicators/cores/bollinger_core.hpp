// The band core: mean and population deviation of the last n values, and the
// bands at k deviations around the mean.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/error.hpp"
#include "indicators/cores/shifted_sums.hpp"

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

    std::uint64_t period() const { return period_; }
    double multiplier() const { return k_; }
    std::uint64_t count() const { return count_; }

private:
    BollingerCore(std::uint64_t n, double k) : buf_(n, 0.0), period_(n), k_(k) {}

    std::vector<double> buf_;
    std::uint64_t period_;
    double k_;
    std::uint64_t head_ = 0;
    std::uint64_t count_ = 0;
    ShiftedSums sums_;
};

}  // namespace torvex
