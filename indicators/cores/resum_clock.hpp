// When a windowed running sum is added up again from its window.
//
// Two causes. Rounding drift builds up slowly, so the sum is re-added at a fixed
// interval (its phase never moves). Worse is a sum whose magnitude falls far below
// what it held since it was last re-added: every addition while it was large was
// rounded at that scale, and the terms that made it large take their own bits with
// them when they leave but leave that rounding behind. A window that has turned flat
// (or all zero) then reads as not flat, and a small sum is mostly residue. This
// happens when a huge value, or a block of them, leaves the window, and when the
// level of the data collapses by many orders of magnitude. So the owner reports the
// magnitude of each of its sums after every update, and the sum is re-added as soon
// as one of them has fallen below 1/kDwarf of the largest it reached since the last
// re-add. Between re-adds the residue is then at most a few thousand roundings of
// the sum's present size, and an all-zero window gives an exact zero.
//
// A fall of that size needs the terms that left to have outweighed all the others,
// so it cannot recur on every update for long: the re-adds stay O(1) amortised.
//
// A sum that turns NaN (a NaN came in, an infinite term left or met its opposite) is
// re-added at once too, and so is one that overflows from finite terms. A non-finite
// sum stays so until something re-adds it (NaN and infinity absorb every later
// addition), so after each re-add the owner settles the clock with the fresh
// magnitudes; when one is still not finite, the clock asks for the next re-add on the
// first update at which the terms still held can add up to a finite sum: every term
// that is not finite has left, and what is left of each term's magnitudes sums below
// the largest double. If that re-add still finds a term that is not finite (it came
// in meanwhile), the next one is scheduled the same way, past it: a term that is not
// finite fails at most one such re-add, so of three failures in a row the first and
// the last are more than a window apart. If finite
// terms alone keep the sum non-finite then, the re-add after it waits until every
// term that could do so (so large that a window of them could overflow) has left, so
// the re-adds stay O(1) amortised however often such terms come, and the sum is the
// window's own as soon as the last term that is not finite has left.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace torvex {

class ResumClock {
public:
    // How far a sum's magnitude must fall from its peak to be re-added; ordinary data
    // never comes near it.
    static constexpr double kDwarf = 1024.0;
    // The most sums one clock watches.
    static constexpr std::size_t kMaxSums = 3;

    // An interval for a sum that is re-added only when it falls: one whose drift
    // re-sums would change the answers its definition gives.
    static constexpr std::uint64_t kNoDrift = UINT64_MAX;

    // `interval`: updates between the drift re-sums (0 re-sums on every update, as 1 does).
    explicit constexpr ResumClock(std::uint64_t interval)
        : interval_(interval > 0 ? interval : 1), due_(interval_), drift_due_(interval_) {}

    // A term at least this large, or not finite, may make a sum non-finite: below it,
    // a window of up to 2^27 terms (any window a sum here keeps) sums to at most a
    // quarter of the largest double.
    static constexpr double kTame = std::numeric_limits<double>::max() * 0x1p-29;

    // The largest magnitude the first sum has shown since its last re-add: its drift
    // since then is a few roundings of that size, at most.
    constexpr double peak() const { return peak0_; }

    // Counts one update. `magnitudes`: the size of each watched sum after this
    // update's arithmetic (|sum|, or a sum of non-negative terms as it is); always
    // the same number of them, in the same order. True when the owner must re-add
    // all its sums now.
    template <class... M>
    [[gnu::always_inline]] constexpr bool tick(M... magnitudes) {
        static_assert(sizeof...(M) >= 1 && sizeof...(M) <= kMaxSums);
        // One count moves per update; the schedules are marks on it, so that an owner
        // stepped inline carries one counter from update to update, not two.
        now_ += 1;
        const bool periodic = now_ >= due_;
        if (fell(static_cast<double>(magnitudes)...) || periodic) [[unlikely]] {
            // The drift schedule keeps its phase whatever else re-adds the sums.
            if (periodic && now_ >= drift_due_) drift_due_ = later(now_, interval_);
            // A re-add asked for by settle() is spent by any re-add: that one settles anew.
            due_ = drift_due_;
            restart_peaks(static_cast<double>(magnitudes)...);
            return true;
        }
        return false;
    }

    // The `first_leaves` of settle() for a window of `capacity` entries that holds
    // `held`, one entering on each update and, once full, the oldest leaving.
    static constexpr std::uint64_t first_leaves(std::uint64_t capacity, std::uint64_t held) {
        return held < capacity ? capacity - held + 1 : 1;
    }

    // After every re-add of the owner's sums, whatever asked for it: `magnitudes` as
    // tick takes them, now from the re-added sums. `first_leaves`: the number of
    // updates after which the oldest term held leaves the window, the next one an
    // update later and so on; `for_each(fn)` calls fn(terms...) for each held entry,
    // oldest first, with the terms the sums add (any number of them). Only a sum
    // that is still not finite costs a walk over the window.
    template <class ForEach, class... M>
    constexpr void settle(std::uint64_t first_leaves, const ForEach& for_each, M... magnitudes) {
        static_assert(sizeof...(M) >= 1 && sizeof...(M) <= kMaxSums);
        take_fresh(static_cast<double>(magnitudes)...);
        if ((finite(static_cast<double>(magnitudes)) && ...)) [[likely]] return;
        const Schedule next = due_after_failed(first_leaves, for_each, now_, drift_due_, early_due_);
        due_ = next.due;
        early_due_ = next.early_due;
    }

    // The fall test alone, without counting an update: for an owner that must also
    // look between two of its updates (after a value leaves, before the next tick).
    template <class... M>
    [[gnu::always_inline]] constexpr bool fell_since_resum(M... magnitudes) {
        static_assert(sizeof...(M) >= 1 && sizeof...(M) <= kMaxSums);
        if (!fell(static_cast<double>(magnitudes)...)) [[likely]] return false;
        restart_peaks(static_cast<double>(magnitudes)...);
        return true;
    }

    // The whole state, for an owner that steps several clocks side by side in a loop
    // of its own (through tick_lanes) and then puts each state back.
    struct State {
        std::uint64_t interval;
        std::uint64_t now;
        std::uint64_t due;
        std::uint64_t drift_due;
        double peak0;
        double peak1;
        double peak2;
        std::uint64_t early_due;
    };
    constexpr State state() const {
        return {interval_, now_, due_, drift_due_, peak0_, peak1_, peak2_, early_due_};
    }
    constexpr void set_state(const State& s) {
        interval_ = s.interval;
        now_ = s.now;
        due_ = s.due;
        early_due_ = s.early_due;
        drift_due_ = s.drift_due;
        peak0_ = s.peak0;
        peak1_ = s.peak1;
        peak2_ = s.peak2;
    }

    // tick for a clock of two sums taken out by state(), with the two magnitudes as
    // the lanes of one vector and the two peaks kept as one vector beside the state
    // (its peak0 and peak1 are not read): the same count, the same tests and the same
    // answer as tick(m[0], m[1]), with no move between lanes and scalars on the way.
    using Lanes2 = double __attribute__((vector_size(16)));
    [[gnu::always_inline]] static bool tick_lanes(State& s, Lanes2& peaks, Lanes2 m) {
        s.now += 1;
        const bool periodic = s.now >= s.due;
        // watch() in both lanes: the peak rises to the sum; a sum that has not fallen
        // passes the one test, which a fall and any NaN fail.
        peaks = m > peaks ? m : peaks;
        const auto kept = kDwarf * m - peaks >= 0.0;
        if ((kept[0] & kept[1]) && !periodic) [[likely]] return false;
        const bool fell = (!kept[0] && peaks[0] == peaks[0]) || (!kept[1] && peaks[1] == peaks[1]);
        if (!(fell || periodic)) return false;
        if (periodic && s.now >= s.drift_due) s.drift_due = later(s.now, s.interval);
        s.due = s.drift_due;
        peaks = m;
        return true;
    }

    // settle for a clock of two sums stepped through its state (see tick_lanes).
    template <class ForEach>
    [[gnu::always_inline]] static void settle_lanes(State& s, Lanes2& peaks, std::uint64_t first_leaves,
                                                    const ForEach& for_each, Lanes2 m) {
        const auto ok = ((m - m) == 0.0) & ((peaks - peaks) == 0.0);
        if (ok[0] & ok[1]) [[likely]] {
            peaks = m > peaks ? m : peaks;
            return;
        }
        double p0 = peaks[0];
        double p1 = peaks[1];
        fresh_peak(p0, m[0]);
        fresh_peak(p1, m[1]);
        peaks = Lanes2{p0, p1};
        if (finite(m[0]) && finite(m[1])) return;
        const Schedule next = due_after_failed(first_leaves, for_each, s.now, s.drift_due, s.early_due);
        s.due = next.due;
        s.early_due = next.early_due;
    }

private:
    // The count at which the next re-add comes after one that left a sum not finite
    // (see settle), and the early_due that goes with it. `early_due` is the count that
    // the last such schedule took from past_overflow: when this very re-add was it
    // and failed too with only finite terms held (they overflow), the next one waits
    // for every wild term held, and early_due is cleared; else (a term that is not
    // finite came in meanwhile, and the next re-add waits past it) it is the schedule
    // taken now. Out of line and by value, in and out: the walk is rare, and an owner
    // stepped inline keeps its clock in registers.
    struct Schedule {
        std::uint64_t due;
        std::uint64_t early_due;
    };
    template <class ForEach>
    [[gnu::noinline]] static Schedule due_after_failed(std::uint64_t first_leaves, ForEach for_each,
                                                       std::uint64_t now, std::uint64_t drift_due,
                                                       std::uint64_t early_due) {
        const bool again = early_due == now && !holds_non_finite(for_each);
        const std::uint64_t leaving = again ? past_wild(for_each) : past_overflow(for_each);
        // Entry i leaves after first_leaves + i updates; the first `leaving` must go.
        const std::uint64_t in = leaving > 0 ? later(first_leaves, leaving - 1) : first_leaves;
        const std::uint64_t at = later(now, in > 0 ? in : 1);
        return {at < drift_due ? at : drift_due, again ? 0 : at};
    }

    // How many of the oldest entries must leave before what is left can sum to a
    // finite value: every entry holding a term that is not finite, and enough others
    // that each term's magnitudes left sum below the largest double (taken at 2^-40,
    // so that no partial sum of a window overflows on the way). All of them where
    // none would do.
    static constexpr std::size_t kMaxTerms = 8;
    static constexpr double kMassScale = 0x1p-40;
    template <class ForEach>
    static std::uint64_t past_overflow(const ForEach& for_each) {
        double total[kMaxTerms] = {};
        std::uint64_t held = 0;
        std::uint64_t past_bad = 0;
        for_each([&](auto... terms) {
            static_assert(sizeof...(terms) <= kMaxTerms);
            held += 1;
            std::size_t j = 0;
            bool bad = false;
            ((bad = bad || !finite(static_cast<double>(terms)),
              total[j++] += finite(static_cast<double>(terms)) ? std::fabs(static_cast<double>(terms)) * kMassScale : 0.0),
             ...);
            if (bad) past_bad = held;
        });
        constexpr double kRoom = std::numeric_limits<double>::max() * kMassScale;
        double gone[kMaxTerms] = {};
        std::uint64_t i = 0;
        std::uint64_t leaving = held;
        bool found = false;
        for_each([&](auto... terms) {
            if (found) return;
            if (i >= past_bad) {
                bool fits = true;
                for (std::size_t j = 0; j < sizeof...(terms); ++j) fits = fits && total[j] - gone[j] <= kRoom;
                if (fits) {
                    leaving = i;
                    found = true;
                    return;
                }
            }
            std::size_t j = 0;
            ((gone[j++] += finite(static_cast<double>(terms)) ? std::fabs(static_cast<double>(terms)) * kMassScale : 0.0),
             ...);
            i += 1;
        });
        // The sum was re-added from these very terms and did not come out finite:
        // whatever made it so is unknown, so every entry held leaves first.
        return leaving > 0 ? leaving : held;
    }

    // How many of the oldest entries must leave before no term that could make a sum
    // non-finite (one that is not finite, or beyond kTame) is held; all of them where
    // none is, as what made the sum so is then unknown.
    template <class ForEach>
    static std::uint64_t past_wild(const ForEach& for_each) {
        std::uint64_t held = 0;
        std::uint64_t past = 0;
        for_each([&](auto... terms) {
            held += 1;
            if ((wild(static_cast<double>(terms)) || ...)) past = held;
        });
        return past > 0 ? past : held;
    }

    // Whether any term held is not finite.
    template <class ForEach>
    static bool holds_non_finite(const ForEach& for_each) {
        bool any = false;
        for_each([&](auto... terms) { any = any || !(finite(static_cast<double>(terms)) && ...); });
        return any;
    }

    // `at` + `gap`, held at the largest count where it would wrap (never reached).
    static constexpr std::uint64_t later(std::uint64_t at, std::uint64_t gap) {
        return gap > UINT64_MAX - at ? UINT64_MAX : at + gap;
    }

    // The peaks are separate members, not an array, so that an owner stepped inline
    // keeps them in registers. Every peak is watched, whichever fell first.
    constexpr bool fell(double a) { return watch(peak0_, a); }
    constexpr bool fell(double a, double b) {
        const bool fa = watch(peak0_, a);
        const bool fb = watch(peak1_, b);
        return fa || fb;
    }
    constexpr bool fell(double a, double b, double c) {
        const bool fa = watch(peak0_, a);
        const bool fb = watch(peak1_, b);
        const bool fc = watch(peak2_, c);
        return fa || fb || fc;
    }

    // Raises the peak and answers whether the sum has fallen far below it, or has
    // turned non-finite while its peak was not NaN. A re-add that leaves the sum so
    // makes its peak NaN (see fresh_peak), and a NaN peak asks nothing: settle() has
    // scheduled the re-add that can make the sum finite again, so a window that keeps
    // such values costs no re-add per update.
    static constexpr bool watch(double& peak, double m) {
        peak = m > peak ? m : peak;
        // One test on the usual path: kDwarf·m − peak >= 0 holds for a sum that has
        // not fallen, and fails for a fall and for any NaN, and for an infinite sum
        // (∞ − ∞), so that a sum that overflowed from finite terms is settled on the
        // update it overflows; only then is a NaN peak (a re-add already spent on this
        // sum) told apart. A NaN sum never raises the peak, so a fall gap that makes
        // it wait does not forget it.
        if (kDwarf * m - peak >= 0.0) [[likely]] return false;
        return peak == peak;
    }

    static constexpr bool finite(double m) { return m - m == 0.0; }
    static constexpr bool wild(double term) { return !(term <= kTame && term >= -kTame); }

    // After a re-add: each peak is at least the fresh size, and a peak that a
    // non-finite sum left is replaced by it; a sum still not finite makes its peak NaN
    // until the next re-add (which settle() has scheduled).
    static constexpr void fresh_peak(double& peak, double m) {
        if (!finite(m)) peak = std::numeric_limits<double>::quiet_NaN();
        else if (!finite(peak) || m > peak) peak = m;
    }
    constexpr void take_fresh(double a) { fresh_peak(peak0_, a); }
    constexpr void take_fresh(double a, double b) {
        fresh_peak(peak0_, a);
        fresh_peak(peak1_, b);
    }
    constexpr void take_fresh(double a, double b, double c) {
        fresh_peak(peak0_, a);
        fresh_peak(peak1_, b);
        fresh_peak(peak2_, c);
    }

    // Each peak starts again from the sum's size before the re-add: the terms that
    // made it are still in the window when a drift re-sum comes first, and must be
    // remembered when they leave. (A re-add that finds the sum much smaller than its
    // running value was then re-adds once more on the next update, which is harmless.)
    // A non-finite sum makes its peak so (see watch) until settle() takes the fresh one.
    constexpr void restart_peaks(double a) { peak0_ = a; }
    constexpr void restart_peaks(double a, double b) {
        peak0_ = a;
        peak1_ = b;
    }
    constexpr void restart_peaks(double a, double b, double c) {
        peak0_ = a;
        peak1_ = b;
        peak2_ = c;
    }

    std::uint64_t interval_;
    std::uint64_t now_ = 0;    // updates counted
    std::uint64_t due_;        // the count at which the next re-add comes: drift_due_, or sooner for settle()
    std::uint64_t drift_due_;  // the count at which the next drift re-sum comes
    double peak0_ = 0.0;
    double peak1_ = 0.0;
    double peak2_ = 0.0;
    std::uint64_t early_due_ = 0;  // the last re-add scheduled as soon as the terms held allowed
};

}  // namespace torvex
