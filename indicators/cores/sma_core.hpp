// Running mean of the last n values: the simple-average core that many indicators
// embed.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <span>

#include "indicators/bar.hpp"
#include "indicators/cores/exact_sum.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/flat_run.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/error.hpp"

namespace torvex {

// Σ|v| over a window's storage runs, from 0.0: out of line and handed the runs by
// value, as sum_of_runs is, and defined here, where the compiler sees that it writes no
// memory, so that a hot loop keeps its own state in registers across the rare call.
[[gnu::noinline]] inline double magnitude_of_runs(std::span<const double> first, std::span<const double> second) {
    double magnitude = 0.0;
    for (const double v : first) magnitude += std::fabs(v);
    for (const double v : second) magnitude += std::fabs(v);
    return magnitude;
}

// Running mean over a ring of n values. The sum is re-added from the ring every
// 16·n updates so rounding drift cannot accumulate, and as soon as the window's
// magnitude has fallen far below its recent size (see ResumClock).
class SmaCore {
public:
    static std::expected<SmaCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite x (no value, nothing changed); the mean once n values came.
    [[gnu::always_inline]] std::optional<double> step(double x) {
        if (!advance(x)) return std::nullopt;
        return mean();
    }

    // The same step answering whether the window is full (then mean()): the form
    // the hot loops use, which passes nothing through memory. False for a refused x.
    // Always inlined: an owner that steps two cores would otherwise call it out of
    // line, and its state would then live in memory rather than in registers.
    [[gnu::always_inline]] bool advance(double x) {
        if (!is_finite(x)) return false;
        if (ring_.full()) [[likely]] {
            const double old = ring_.replace_oldest(x);
            sum_ = x + (sum_ - old);
            // Σ|x| is only watched, so it takes the difference first: one addition on
            // its own chain beside the two of the sum.
            magnitude_ = (std::fabs(x) - std::fabs(old)) + magnitude_;
        } else {
            ring_.push_back(x);
            sum_ = x + sum_;
            magnitude_ = std::fabs(x) + magnitude_;
            // Nothing leaves while the ring fills, so Σ|x| only grows and no fall can
            // come: the clock first sees the full window, whose Σ|x| is the largest of
            // the fill (a huge value in the first fill is still remembered for when it
            // leaves). Its count starts there, and its drift schedule is set so that it
            // still keeps the phase of every update (see the constructor).
            if (!ring_.full()) return false;
        }
        // One tick site, after which the step knows the window is full: the steady state
        // tests nothing twice and stays small enough for an owner that steps several
        // cores to be inlined into its column loop.
        if (clock_.tick(magnitude_)) [[unlikely]] resum();
        return true;
    }

    // The mean of the window; meaningful once advance answered true.
    double mean() const { return sum_ / divisor_; }

    // For an owner that divides by the mean, after advance answered true. The sum may
    // be off by a few roundings of the largest Σ|x| since its last re-add; where the
    // values cancel to a sliver of that (either sign, a mean near 0), that drift would
    // decide the quotient (1 and -1 after values near 80 read a mean of 7e-15). There
    // the sum is re-added exactly and rounded once, so the mean is the window's own
    // whatever came before. That costs O(n) on such an update: a window stays
    // cancelled only while each value nearly repeats the one leaving, which prices
    // (all above 0) and returns never do.
    [[gnu::always_inline]] void settle_cancelled() {
        if (std::fabs(sum_) * kCancelled < clock_.peak()) [[unlikely]] resum_exact();
    }

    std::uint64_t period() const { return period_; }
    std::uint64_t count() const { return ring_.size(); }
    // The values taken since the one that filled the window, that one included: one more
    // on each update of the full window (the clock counts them anyway), so an owner can
    // tell two consecutive updates apart from two far apart without a count of its own.
    std::uint64_t updates_since_full() const { return clock_.state().now; }

private:
    // The first drift re-add comes on update 16·n counted from the first value, which is
    // the clock's (15·n + 1)-th tick, as it ticks from the n-th update on.
    explicit SmaCore(std::uint64_t n) : ring_(n), period_(n), divisor_(static_cast<double>(n)), clock_(16 * n) {
        ResumClock::State s = clock_.state();
        s.due = 15 * n + 1;
        s.drift_due = s.due;
        clock_.set_state(s);
    }

    // The clock watches Σ|x|, not |sum|: a signed sum that passes near zero has not lost
    // its scale, while Σ|x| falls only when large values leave, so no fall has to wait
    // and the re-adds stay O(1) amortised. Within any n updates the values entered
    // since only add to Σ|x|, so each fall re-add finds what is left of the values held
    // before at most 1/1024 of what was left at the previous one, and a double's range
    // allows some 200 such steps: a few hundred additions a bar on inputs built for it.
    // Two calls rather than one handing back both: with that one the column loop ran a
    // tenth slower.
    [[gnu::always_inline]] void resum() { resum_by<sum_of_runs>(); }
    // The same re-add with the sum exact, rounded once (settle_cancelled).
    [[gnu::noinline]] void resum_exact() { resum_by<exact_sum_of_runs>(); }

    template <double (*Sum)(std::span<const double>, std::span<const double>)>
    [[gnu::always_inline]] void resum_by() {
        const auto runs = ring_.runs();
        sum_ = Sum(runs.first, runs.second);
        magnitude_ = magnitude_of_runs(runs.first, runs.second);
        // A sum that overflowed is taken again once the terms that made it so have left.
        // The walk is handed the runs by value, not the ring, which would then have to
        // live in memory across the hot loop.
        clock_.settle(
            ResumClock::first_leaves(period_, ring_.size()),
            [runs](auto&& fn) {
                for (const double v : runs.first) fn(v);
                for (const double v : runs.second) fn(v);
            },
            magnitude_);
    }

    // Above 1/kCancelled of the peak the running sum's drift (some 34·n roundings of
    // the peak between its re-adds) is under 2^-36·n of the mean.
    static constexpr double kCancelled = 1024.0;

    FixedRing<double> ring_;
    std::uint64_t period_;
    // Σ|x| over the ring (the values may have either sign). Not beside the sum: an owner
    // whose step is out of line would have the two stored as one pair and the next step
    // load each half of it, which costs the sum's chain a slower forwarding.
    double magnitude_ = 0.0;
    double divisor_;  // period_ as a double, converted once
    double sum_ = 0.0;
    ResumClock clock_;
};

// The same running mean, except that a window of n equal values answers their value:
// sum / n may miss it by a rounding (0.1 three times sums to 0.30000000000000004), which
// an owner that divides the distance from the mean by a range decaying towards 0, or
// asks which side of the mean a value lies on, would turn into a full reading.
class FlatExactSma {
public:
    static std::expected<FlatExactSma, IndicatorError> create(std::uint64_t n) {
        auto average = SmaCore::create(n);
        if (!average) return std::unexpected(average.error());
        return FlatExactSma(std::move(*average));
    }

    [[gnu::always_inline]] std::optional<double> step(double x) {
        if (!advance(x)) return std::nullopt;
        return mean();
    }

    [[gnu::always_inline]] bool advance(double x) {
        if (!is_finite(x)) return false;
        run_.push(x);
        return average_.advance(x);
    }

    double mean() const { return run_.covers(average_.period()) ? run_.last() : average_.mean(); }

    std::uint64_t period() const { return average_.period(); }

private:
    explicit FlatExactSma(SmaCore average) : average_(std::move(average)) {}

    SmaCore average_;
    FlatRun run_;
};

}  // namespace torvex
