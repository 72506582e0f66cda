// The last n (a, b) pairs with five running sums of their deviations from an anchor
// pair: Σda, Σdb, Σda², Σdb², Σda·db. The first pair becomes the anchor; every n
// pushes the anchor moves to the window's mean pair and the sums are added up again
// from the window, which keeps the moments of values far from zero accurate and free
// of drift. Sums that have lost their precision (see DeviationWatch) bring a
// re-anchoring at once, so a window that has turned flat reads exactly flat as soon
// as a huge pair has gone.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>

#include "indicators/cores/shifted_sums.hpp"

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/pair_moments.hpp"

namespace torvex {

class AnchoredPairWindow {
public:
    struct Pair {
        double a = 0.0;
        double b = 0.0;
    };

    // n is at least 1 and already bounded by the owner.
    explicit AnchoredPairWindow(std::uint64_t n) : ring_(n), period_(n), count_(static_cast<double>(n)) {}

    // No input guard: the owner passes finite components. Answers whether the window
    // is full after the push.
    bool push(double a, double b);

    // Back to the state of a new window, keeping its storage.
    void clear() { *this = AnchoredPairWindow(std::move(ring_), period_); }

    bool full() const { return ring_.full(); }
    std::uint64_t period() const { return period_; }
    const CappedRing<Pair>& pairs() const { return ring_; }

    // Meaningful once full; n = period. A variance or covariance within the rounding
    // of its own cancellation is taken again from the window, and a covariance within
    // the rounding of that is 0.
    PairMoments moments() const;
    // The same moments taken again from the window in two passes (O(n)): for an owner
    // whose own answer from moments() has cancelled to within their rounding.
    PairMoments window_moments() const;
    // The mean squares of the deviations from the anchor (Σda²/n, Σdb²/n), each at
    // least the variance: the size of the terms whose rounding moments() carries.
    Pair anchored_squares() const {
        const double n = count_;
        return Pair{saa_ / n, sbb_ / n};
    }
    // A pair less the window's mean pair, taken through the anchor: the differences
    // from the anchor are exact or nearly so, where the mean itself is rounded at the
    // level of the values (a residual of values at 1e11 would carry that rounding).
    // Meaningful once full.
    Pair centred(double a, double b) const {
        const double n = count_;
        return Pair{(a - anchor_a_) - sa_ / n, (b - anchor_b_) - sb_ / n};
    }

private:
    AnchoredPairWindow(CappedRing<Pair>&& ring, std::uint64_t n)
        : ring_(std::move(ring)), period_(n), count_(static_cast<double>(n)) {
        ring_.clear();
    }

    // How far below its terms (per value of the window) a moment must have cancelled
    // before it is taken again: 4·kDwarf times the rounding of one update.
    static constexpr double kCancelled = 0x1p-40;

    void reanchor();
    // The rest of moments() where a variance or the covariance has cancelled. Out of line, so that the usual path keeps its
    // registers.
    [[gnu::noinline, gnu::cold]] PairMoments cancelled_moments() const;
    // The running sums per value of the window: Σda/n, Σdb/n, Σda²/n, Σdb²/n, Σda·db/n.
    struct SumMeans {
        double ma, mb, qa, qb, qab;
    };
    SumMeans sum_means() const {
        const double n = count_;
        return SumMeans{sa_ / n, sb_ / n, saa_ / n, sbb_ / n, sab_ / n};
    }
    // The moments as the running sums give them.
    PairMoments moments_from(const SumMeans& s) const {
        return PairMoments{anchor_a_ + s.ma, anchor_b_ + s.mb, std::max(s.qa - s.ma * s.ma, 0.0),
                           std::max(s.qb - s.mb * s.mb, 0.0), s.qab - s.ma * s.mb};
    }

    CappedRing<Pair> ring_;
    std::uint64_t period_;
    double count_;  // period_ as a double, converted once
    double anchor_a_ = 0.0;
    double anchor_b_ = 0.0;
    double sa_ = 0.0;
    double sb_ = 0.0;
    double saa_ = 0.0;
    double sbb_ = 0.0;
    double sab_ = 0.0;
    std::uint64_t since_anchor_ = 0;
    DeviationWatch watch_a_;
    DeviationWatch watch_b_;

    bool anchor_set_ = false;
};

}  // namespace torvex
