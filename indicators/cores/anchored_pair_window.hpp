// The last n (a, b) pairs with five running sums of their deviations from an anchor
// pair: Σda, Σdb, Σda², Σdb², Σda·db. The first pair becomes the anchor; every n
// pushes the anchor moves to the window's mean pair and the sums are added up again
// from the window, which keeps the moments of values far from zero accurate and free
// of drift. A pair whose squared deviation dwarfed its sums when it came also brings a
// re-anchoring on the push that takes it out, so a window that has turned flat reads
// exactly flat as soon as the huge pair has gone. A window that turns flat, or nearly
// so, away from the anchor between two re-anchorings re-anchors on the push that makes
// a variance a rounding residue (see CancellationGuard).
#pragma once

#include <cstdint>

#include "indicators/cores/resum_clock.hpp"

#include "indicators/cores/cancellation_guard.hpp"
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
    explicit AnchoredPairWindow(std::uint64_t n) : ring_(n), period_(n), guard_a_(n), guard_b_(n) {}

    // No input guard: the owner passes finite components. Answers whether the window
    // is full after the push.
    bool push(double a, double b);

    bool full() const { return ring_.full(); }
    std::uint64_t period() const { return period_; }
    const CappedRing<Pair>& pairs() const { return ring_; }

    // Meaningful once full; n = period.
    PairMoments moments() const;

private:
    void reanchor();

    CappedRing<Pair> ring_;
    std::uint64_t period_;
    double anchor_a_ = 0.0;
    double anchor_b_ = 0.0;
    double sa_ = 0.0;
    double sb_ = 0.0;
    double saa_ = 0.0;
    double sbb_ = 0.0;
    double sab_ = 0.0;
    CancellationGuard guard_a_;
    CancellationGuard guard_b_;
    std::uint64_t since_anchor_ = 0;
    std::uint64_t pushes_ = 0;
    std::uint64_t outweighed_at_ = 0;  // push count of the latest dwarfing pair; 0: none
    bool anchor_set_ = false;
};

}  // namespace torvex
