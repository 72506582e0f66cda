// The last n (a, b) pairs with the running sum of each component: a pair in adds,
// the pair that leaves subtracts. Owners test these sums against zero, so both are
// re-added from the window (oldest first, from 0.0) every n pushes and when either
// has fallen far below its recent size (see ResumClock): a large pair that has left
// the window leaves no residue behind, and a flat window reads exactly flat.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"

namespace torvex {

class SummedPairWindow {
public:
    // n is at least 1 and already bounded by the owner.
    explicit SummedPairWindow(std::uint64_t n) : window_(n), clock_(n) {}

    // No input guard: the owner passes finite components.
    void push(double a, double b) {
        if (const std::optional<Pair> old = window_.push(Pair{a, b})) {
            sum_a_ = sum_a_ - old->a;
            sum_b_ = sum_b_ - old->b;
            magnitude_a_ = magnitude_a_ - std::fabs(old->a);
            magnitude_b_ = magnitude_b_ - std::fabs(old->b);
        }
        sum_a_ = sum_a_ + a;
        sum_b_ = sum_b_ + b;
        magnitude_a_ = magnitude_a_ + std::fabs(a);
        magnitude_b_ = magnitude_b_ + std::fabs(b);
        if (clock_.tick(magnitude_a_, magnitude_b_)) {
            double sa = 0.0;
            double sb = 0.0;
            double ma = 0.0;
            double mb = 0.0;
            window_.for_each([&](const Pair& p) {
                sa += p.a;
                sb += p.b;
                ma += std::fabs(p.a);
                mb += std::fabs(p.b);
            });
            sum_a_ = sa;
            sum_b_ = sb;
            magnitude_a_ = ma;
            magnitude_b_ = mb;
            clock_.settle(
                ResumClock::first_leaves(window_.capacity(), window_.size()),
                [this](auto&& fn) { window_.for_each([&fn](const Pair& p) { fn(p.a, p.b); }); }, ma, mb);
        }
    }

    bool full() const { return window_.full(); }
    double sum_a() const { return sum_a_; }
    double sum_b() const { return sum_b_; }
    std::uint64_t period() const { return window_.capacity(); }

private:
    struct Pair {
        double a = 0.0;
        double b = 0.0;
    };

    FixedRing<Pair> window_;
    ResumClock clock_;
    double sum_a_ = 0.0;
    double sum_b_ = 0.0;
    // Σ|a| and Σ|b| over the window: the components may have either sign.
    double magnitude_a_ = 0.0;
    double magnitude_b_ = 0.0;
};

}  // namespace torvex
