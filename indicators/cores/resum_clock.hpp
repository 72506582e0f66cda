// When a windowed running sum is added up again from its window.
//
// Two causes. Rounding drift builds up slowly, so the sum is re-added at a fixed
// interval (its phase never moves). A value that dwarfs the whole sum when it enters
// (over kDwarf times its magnitude) does worse: every
// later addition is rounded at its scale, and when it leaves it takes its own bits
// with it but leaves that rounding behind, so a window that has turned flat can read
// as not flat for a long time. The sum is therefore also re-added on the update that
// takes the latest such value out of the window. Both re-sums come at most once per
// window span each, so the cost stays O(1) amortised.
#pragma once

#include <cmath>
#include <cstdint>

namespace torvex {

class ResumClock {
public:
    // How many times the sum's magnitude an entering value must exceed to count as
    // dwarfing it; ordinary data never comes near it.
    static constexpr double kDwarf = 1024.0;

    // The test owners apply to an entering value and the sum it joins, compared by
    // magnitude: a sum of non-negative terms can still hold a negative residue.
    // Magnitudes by fabs, not by a test of the sign: no branch that signed data
    // would mispredict (the answer is the same, NaN included).
    static constexpr bool dwarfs(double incoming, double sum) { return std::fabs(incoming) > kDwarf * std::fabs(sum); }

    // `span`: updates from a value's entry to the update in which it leaves the sum;
    // `interval`: updates between the drift re-sums (0 re-sums on every update, as 1 does).
    constexpr ResumClock(std::uint64_t span, std::uint64_t interval)
        : span_(span), interval_(interval > 0 ? interval : 1), next_periodic_(interval_), due_(interval_) {}

    // Counts one update; `outweighs` tells whether the value entering with it dwarfed
    // the sum it joined (see dwarfs). True when the owner must re-add its
    // sums, after this update's own arithmetic.
    //
    // The two causes are folded into one update number, the nearer of the next drift
    // re-sum and the pending departure, so the usual update costs one comparison.
    constexpr bool tick(bool outweighs) {
        updates_ += 1;
        // While the window first fills, any value dwarfs the empty or tiny sum: no
        // extra re-sum is scheduled then.
        if (outweighs && updates_ > span_) [[unlikely]] {
            leaves_at_ = updates_ + span_;
            due_ = leaves_at_ < next_periodic_ ? leaves_at_ : next_periodic_;
        }
        if (updates_ != due_) [[likely]] return false;
        return fire();
    }

private:
    // The update that is due: moves the drift schedule on past it and aims at the
    // nearer of the two causes still ahead.
    constexpr bool fire() {
        if (updates_ == next_periodic_) next_periodic_ += interval_;
        due_ = (leaves_at_ > updates_ && leaves_at_ < next_periodic_) ? leaves_at_ : next_periodic_;
        return true;
    }

    std::uint64_t span_;
    std::uint64_t interval_;
    std::uint64_t updates_ = 0;
    std::uint64_t leaves_at_ = 0;      // 0: no such value pending
    std::uint64_t next_periodic_;      // the update of the next drift re-sum
    std::uint64_t due_;                // the nearer of next_periodic_ and a pending leaves_at_
};

}  // namespace torvex
