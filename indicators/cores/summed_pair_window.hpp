// The last n (a, b) pairs with the running sum of each component: a pair in adds,
// the pair that leaves subtracts. Owners test these sums against zero, so both are
// re-added from the window every n pushes: a large pair that has left the window
// leaves no residue behind, and a flat window reads exactly flat.
#pragma once

#include <cstdint>

#include "indicators/cores/capped_ring.hpp"

namespace torvex {

class SummedPairWindow {
public:
    // n is at least 1 and already bounded by the owner.
    explicit SummedPairWindow(std::uint64_t n) : window_(n), period_(n) {}

    // No input guard: the owner passes finite components.
    void push(double a, double b) {
        if (const std::optional<Pair> old = window_.push(Pair{a, b})) {
            sum_a_ = sum_a_ - old->a;
            sum_b_ = sum_b_ - old->b;
        }
        sum_a_ = sum_a_ + a;
        sum_b_ = sum_b_ + b;
        since_resum_ += 1;
        if (since_resum_ == period_) {
            double sa = 0.0;
            double sb = 0.0;
            window_.for_each([&](const Pair& p) {
                sa += p.a;
                sb += p.b;
            });
            sum_a_ = sa;
            sum_b_ = sb;
            since_resum_ = 0;
        }
    }

    bool full() const { return window_.full(); }
    double sum_a() const { return sum_a_; }
    double sum_b() const { return sum_b_; }
    std::uint64_t period() const { return period_; }

private:
    struct Pair {
        double a = 0.0;
        double b = 0.0;
    };

    CappedRing<Pair> window_;
    std::uint64_t period_;
    double sum_a_ = 0.0;
    double sum_b_ = 0.0;
    std::uint64_t since_resum_ = 0;
};

}  // namespace torvex
