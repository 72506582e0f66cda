// A ring of the last n penetration depths with their sum and the count of the
// entries above zero, so the average over the bars that penetrated is O(1).
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/error.hpp"

namespace torvex {

class PenetrationRing {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<PenetrationRing, IndicatorError> create(std::uint64_t n);

    // Appends x, first dropping the oldest when n values are held. No input guard:
    // the owner passes finite depths. The sum is kept by adding and subtracting; it
    // is re-added from the ring only when the owner calls `resum`.
    void push(double x);

    // The sum becomes the ring re-added from the oldest value, so that the rounding
    // left by values that have gone disappears.
    void resum() { sum_ = sum_from_oldest(ring_); }

    // sum / count of positive entries, or 0 when no entry is above zero.
    double average_positive() const;

    bool full() const { return ring_.full(); }
    std::uint64_t size() const { return ring_.size(); }
    double sum() const { return sum_; }
    std::uint64_t positives() const { return positives_; }
    const FixedRing<double>& values() const { return ring_; }

private:
    explicit PenetrationRing(std::uint64_t n) : ring_(n) {}

    FixedRing<double> ring_;
    double sum_ = 0.0;
    std::uint64_t positives_ = 0;
};

}  // namespace torvex
