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
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

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
    // `fall_gap`: the fewest updates between two re-sums for a fall. An owner that
    // watches a signed sum by its absolute value (rather than keep a second running sum
    // of magnitudes) sets its window length here: such a sum also falls when it passes
    // near zero, and the gap keeps those re-adds to one per window, O(1) amortised.
    // A fall that must wait is not forgotten: the peak stays until the re-add comes.
    explicit constexpr ResumClock(std::uint64_t interval, std::uint64_t fall_gap = 0)
        : interval_(interval > 0 ? interval : 1), fall_gap_(fall_gap), due_(interval_) {}

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
        if ((fell(static_cast<double>(magnitudes)...) && now_ > fall_after_) || periodic) [[unlikely]] {
            // The drift schedule keeps its phase whatever else re-adds the sums.
            if (periodic) {
                due_ = later(now_, interval_);
            } else {
                fall_after_ = later(now_, fall_gap_);
            }
            restart_peaks(static_cast<double>(magnitudes)...);
            return true;
        }
        return false;
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
        std::uint64_t fall_gap;
        std::uint64_t now;
        std::uint64_t due;
        std::uint64_t fall_after;
        double peak0;
        double peak1;
        double peak2;
    };
    constexpr State state() const { return {interval_, fall_gap_, now_, due_, fall_after_, peak0_, peak1_, peak2_}; }
    constexpr void set_state(const State& s) {
        interval_ = s.interval;
        fall_gap_ = s.fall_gap;
        now_ = s.now;
        due_ = s.due;
        fall_after_ = s.fall_after;
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
        const auto kept = kDwarf * m >= peaks;
        if ((kept[0] & kept[1]) && !periodic) [[likely]] return false;
        const bool fell = (!kept[0] && peaks[0] == peaks[0]) | (!kept[1] && peaks[1] == peaks[1]);
        if (!((fell && s.now > s.fall_after) || periodic)) return false;
        if (periodic) {
            s.due = later(s.now, s.interval);
        } else {
            s.fall_after = later(s.now, s.fall_gap);
        }
        peaks = m;
        return true;
    }

private:
    // `at` + `gap`, held at the largest count where it would wrap (never reached).
    static constexpr std::uint64_t later(std::uint64_t at, std::uint64_t gap) {
        return gap > UINT64_MAX - at ? UINT64_MAX : at + gap;
    }

    // The peaks are separate members, not an array, so that an owner stepped inline
    // keeps them in registers.
    constexpr bool fell(double a) { return watch(peak0_, a); }
    constexpr bool fell(double a, double b) { return watch(peak0_, a) | watch(peak1_, b); }
    constexpr bool fell(double a, double b, double c) { return watch(peak0_, a) | watch(peak1_, b) | watch(peak2_, c); }

    // Raises the peak and answers whether the sum has fallen far below it. A sum that
    // turned NaN (opposite infinities met) is re-added too, once: the peak then
    // becomes NaN and stays so until the next re-add, so a window that keeps such
    // values costs no re-add per update.
    static constexpr bool watch(double& peak, double m) {
        peak = m > peak ? m : peak;
        // One test on the usual path: kDwarf·m >= peak holds for a sum that has not
        // fallen, and fails for a fall and for any NaN; only then is a NaN peak (a
        // re-add already spent on this NaN) told apart.
        if (kDwarf * m >= peak) [[likely]] return false;
        return peak == peak;
    }

    // Each peak starts again from the sum's size before the re-add: the terms that
    // made it are still in the window when a drift re-sum comes first, and must be
    // remembered when they leave. (A re-add that finds the sum much smaller than its
    // running value was then re-adds once more on the next update, which is harmless.)
    // A NaN sum makes its peak NaN (see watch).
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
    std::uint64_t fall_gap_;
    std::uint64_t now_ = 0;         // updates counted
    std::uint64_t due_;             // the count at which the next drift re-sum comes
    std::uint64_t fall_after_ = 0;  // a fall re-adds once the count is past this
    double peak0_ = 0.0;
    double peak1_ = 0.0;
    double peak2_ = 0.0;
};

}  // namespace torvex
