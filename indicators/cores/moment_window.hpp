// The last n values with running sums of the first four powers of their deviations
// from a shift anchor; the anchor moves to the window mean every n pushes, which
// keeps the higher moments of values far from zero accurate and free of drift, and
// as soon as the sums have lost their precision (a huge value has left, or the mean
// has moved far from the anchor: see DeviationWatch).
#pragma once

#include <cstdint>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/flat_run.hpp"
#include "indicators/cores/shifted_sums.hpp"

namespace torvex {

// Raw moments of the deviations about the anchor, each a power sum divided by n.
struct RawMoments {
    double m1;
    double m2;
    double m3;
    double m4;
};

class MomentWindow {
public:
    // The owner checks n (at least 1, at most MAX_PERIOD).
    explicit MomentWindow(std::uint64_t n) : window_(n), period_(n), n_(static_cast<double>(n)) {}

    // No input guard (the caller tests x). Pushes x, taking the oldest out once n are
    // held; answers whether the window is full.
    bool push(double x);

    // Meaningful once full.
    RawMoments moments() const { return RawMoments{s1_ / n_, s2_ / n_, s3_ / n_, s4_ / n_}; }
    // True when every value of the full window is the same.
    bool flat() const { return run_.covers(period_); }

    std::uint64_t period() const { return period_; }

private:
    // The rest of push's tests after a periodic turn, an update the watch's first
    // comparison did not pass (`ask`) or a Σd⁴ that is not finite, with the
    // re-centring they call for. Out of line: rare, and push keeps its registers.
    [[gnu::noinline]] void settle(bool periodic, bool ask, double x);
    void recenter(bool periodic);

    FixedRing<double> window_;
    double shift_ = 0.0;
    double s1_ = 0.0;
    double s2_ = 0.0;
    double s3_ = 0.0;
    double s4_ = 0.0;
    std::uint64_t since_recenter_ = 0;
    // The third and fourth powers magnify a fall of Σd², or a cancelled variance, by
    // up to its square: re-centred at a fall of 32 they keep the precision that a fall
    // of 1024 leaves the squares.
    BasicDeviationWatch<32.0> watch_;
    bool shift_set_ = false;
    bool waiting_ = false;  // the sums are not finite, and wait for a value to leave
    std::uint64_t period_;
    double n_;  // period_ as a double, converted once
    FlatRun run_;
};

}  // namespace torvex
