// Running sums of deviations from a shift anchor: the variance-style sums of the
// band, regression and relative-volatility cores. Summing x - shift instead of x
// keeps the squares small when the values sit far from zero, and re-centring the
// anchor on the window mean every n updates keeps rounding drift bounded.
//
// Two histories need a re-centring sooner. When the sum of squares falls far below
// the largest it held since the last re-centring (a huge value, or a block of them,
// has left; the level of the data has collapsed), what remains of it is mostly the
// rounding of that larger size. And when the window's mean has moved far from the
// anchor compared with the window's spread (the anchor sat near a huge value that
// has gone), the variance is the difference of two nearly equal large numbers. One
// test on every update asks for both, and for some of each, so a window that has
// turned flat reads exactly flat on the update that takes the last huge value out.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "indicators/bar.hpp"
#include "indicators/error.hpp"
#include "indicators/cores/flat_run.hpp"
#include "indicators/cores/resum_clock.hpp"

namespace torvex {

// 1 + the index (oldest first) of the newest entry `for_each` hands over for which
// `wild` holds, 0 for none: where a window's sums wait for such a value to leave.
template <class ForEach, class Wild>
std::uint64_t newest_entry(const ForEach& for_each, const Wild& wild) {
    std::uint64_t i = 0;
    std::uint64_t next = 0;
    for_each([&](const auto& v) {
        i += 1;
        if (wild(v)) next = i;
    });
    return next;
}

// Whether sums of deviations from an anchor, Σd and Σd² over `count` values, have
// lost the precision that re-centring them on the window mean restores (see the top
// of this file). Owners call lost() after every update, with the value it added, and
// restart() after every re-centring (with the run of equal values that ends the
// window, where its squares are near the subnormal range: see near_tiny). Dwarf is
// how far Σd² may fall, and the variance cancel within it, before that: an owner
// that also sums higher powers (which magnify both) sets it lower.
template <double Dwarf = ResumClock::kDwarf>
class BasicDeviationWatch {
public:
    [[gnu::always_inline]] bool lost(double count, double shift, double s1, double s2, double newest) {
        if (steady(count, s1, s2)) [[likely]] return false;
        const Verdict got = asked_apart(*this, count, shift, s1, s2, newest);
        *this = got.watch;
        return got.lost;
    }

    // The usual update's one comparison, with the peak followed: true where neither
    // sum is NaN or infinite, nothing has cancelled, and the squares are large enough
    // to tell, so that the sums surely keep their precision. An owner that takes its
    // rarer work out of line calls this inline and asked() there when it fails.
    //
    // count·s2 − s1² is count² times the variance. Its rounding is that of the
    // largest squares the sums have held since the re-centring, so it has lost its
    // precision once it has cancelled to under 1/Dwarf of count times that peak: the
    // squares fell far below their peak (a huge value has left), or the mean sits far
    // from the anchor, or some of each (an anchor set while a large value was held,
    // and a calmer window since it left). For a Σd² below kNearTiny it never holds
    // (the floor is absorbed by any peak above some 1e-270), so every such update
    // reaches asked().
    [[gnu::always_inline]] bool steady(double count, double s1, double s2) {
        if (s2 > peak_s2_) peak_s2_ = s2;
        const double ns2 = count * s2;
        const double spread = Dwarf * (ns2 - s1 * s1);
        return spread > count * (peak_s2_ + kFloor);
    }

    // The first of asked()'s questions, cheap enough to ask inline where a window of
    // one value is usual (the zero gaps of a market that opens where it closed): true
    // where both sums are exactly zero and no peak has fallen to them, which loses
    // nothing. Then only the run and the count of tiny updates move, as asked() would
    // move them; where it answers false, asked() gives the verdict.
    [[gnu::always_inline]] bool still(double s1, double s2, double newest) {
        if (!(s2 == 0.0 && s1 == 0.0 && !(peak_s2_ > 0.0))) return false;
        tiny_.follow(newest);
        tiny_.updates += 1.0;
        return true;
    }

    // The questions after the first, for an update that steady() did not pass:
    // `newest` is the value the update added.
    [[gnu::always_inline]] bool asked(double count, double shift, double s1, double s2, double newest) {
        if (s2 < kNearTiny) [[unlikely]] {
            if (still(s1, s2, newest)) return false;
            const NearTiny got = near_tiny(tiny_, peak_s2_, count, shift, s1, s2, newest);
            tiny_ = got.state;
            return got.lost;
        }
        const double ns2 = count * s2;
        const double spread = Dwarf * (ns2 - s1 * s1);
        // A NaN sum (an overflow met its opposite), or one that overflowed (a value
        // entered far from an anchor that a window of values beyond the tame bound
        // set), asks once for the re-add from the window; if that is not finite
        // either, the peak is NaN and it does not ask again before the next
        // re-centring.
        if (!(s2 <= std::numeric_limits<double>::max())) return peak_s2_ == peak_s2_;
        // The squares fell far below their peak.
        if (peak_s2_ > Dwarf * s2) return true;
        // Only an offset that stands clear of the anchor's own rounding counts: right
        // after a re-centring on a flat window the offset is a few ulps of the value
        // and the spread 0.
        const bool offset = std::fabs(s1) > kOffsetFloor * count * std::fabs(shift);
        // Where count·s2 overflowed (deviations near 1e154) the same test is taken
        // over count: s1·(s1/count) is at most s2, so nothing overflows. (An infinite
        // s2 fails both.)
        const bool cancelled = ns2 <= std::numeric_limits<double>::max()
                                   ? spread < count * peak_s2_
                                   : Dwarf * (s2 - s1 * (s1 / count)) < peak_s2_;
        return cancelled && offset;
    }

    void restart(double s2) {
        peak_s2_ = s2 <= std::numeric_limits<double>::max() ? s2 : std::numeric_limits<double>::quiet_NaN();
        tiny_.updates = 0.0;
        tiny_.known = false;
    }
    // restart for a re-centring that also counted the run of equal values that ends
    // the window (`run` of them, equal to `last`).
    void restart(double s2, double run, double last) {
        restart(s2);
        tiny_.run = run;
        tiny_.last = last;
        tiny_.known = wants_run(s2);
    }
    void restart(double s2, const FlatRun& run) { restart(s2, static_cast<double>(run.length()), run.last()); }
    // Whether a re-centring leaving this Σd² must hand over the window's last run.
    static bool wants_run(double s2) { return s2 < kNearTiny; }

private:
    struct Verdict {
        bool lost;
        BasicDeviationWatch watch;
    };
    // asked() out of line and by value, in and out: rare, and an owner that asks the
    // watch once an update keeps its registers (and its code short).
    [[gnu::noinline]] static Verdict asked_apart(BasicDeviationWatch w, double count, double shift, double s1,
                                                 double s2, double newest) {
        const bool lost = w.asked(count, shift, s1, s2, newest);
        return {lost, w};
    }

    // How far (relative to the anchor) the mean must sit from it before the offset
    // test applies: 32 ulps of it, above the rounding of a mean taken over a flat
    // window (at most half an ulp a value), and far below an offset that the
    // spread of a window whose values lie a few ulps apart cancels against.
    static constexpr double kOffsetFloor = 0x1p-48;
    // Below this Σd² is too near the subnormal range to tell a cancellation: each
    // square rounds to within 2^-1075 however small it is, so a window's worth of
    // such roundings is then no longer negligible beside the sum (above it, they are
    // at most 2^-48 of it for any window). Its count·Σd² stands beside count times
    // the peak in the one comparison of the usual update (with Dwarf, as the spread
    // carries it).
    static constexpr double kTinySquares = 0x1p-1000;
    // A Σd² below this falls below kTinySquares only through updates that each reach
    // the slow path (which then follows the run of equal values), or through a fall
    // from above it, which re-centres first.
    static constexpr double kNearTiny = Dwarf * kTinySquares;
    static constexpr double kFloor = Dwarf * kNearTiny;

    // Sums of squares below kTinySquares have lost digits to underflow (Σd² and Σd·Σd
    // are 0 for deviations below 1e-162), and the cancellation test with them: an
    // anchor left by tiny values that have gone (the window now all zeros, or flat at
    // another tiny level) then shows only in Σd itself, which the offset test reads.
    // Such a window is re-centred on the update at which it turns flat (its newest
    // value has then come `count` times in a row), and otherwise at most once a window
    // while the offset stands, so that a walk of values that small costs O(1) a bar
    // amortised, like any other. The run is counted from a re-centring that handed it
    // over; after one that did not (it left Σd² above kNearTiny, or was worked out
    // ahead from the values alone), the first update with an offset re-centres, and
    // that re-centring hands it over.
    struct Tiny {
        double updates = 0.0;  // updates whose squares were tiny since the last re-centring
        double run = 0.0;      // the run of equal values that ends the window, where known
        double last = 0.0;     // the value of that run
        bool known = false;
        // Counts `newest` into the run.
        void follow(double newest) {
            run = newest == last ? run + 1.0 : 1.0;
            last = newest;
        }
    };
    struct NearTiny {
        bool lost;
        Tiny state;
    };
    // The questions for a Σd² below kNearTiny (finite, so only the fall, the
    // cancellation and the tiny sums' own), with the run followed. Out of line and by
    // value, in and out: rare, and the loops that ask the watch on every update keep
    // their registers.
    [[gnu::noinline]] static NearTiny near_tiny(Tiny t, double peak, double count, double shift, double s1,
                                                double s2, double newest) {
        t.follow(newest);
        if (peak > Dwarf * s2) return {true, t};
        const bool offset = std::fabs(s1) > kOffsetFloor * count * std::fabs(shift);
        const double ns2 = count * s2;
        if (s2 < kTinySquares) {
            t.updates += 1.0;
            return {offset && (!t.known || t.run >= count || t.updates >= count), t};
        }
        return {Dwarf * (ns2 - s1 * s1) < count * peak && offset, t};
    }

    double peak_s2_ = 0.0;  // the largest Σd² since the last re-centring
    Tiny tiny_;
};

using DeviationWatch = BasicDeviationWatch<>;

// The mean of `count` values visited oldest first by `for_each`, taken relative to the
// oldest: the differences are exact for a flat window, so its mean is its value and
// every deviation from it is exactly 0 (a plain sum over n can miss the value by an
// ulp, and a variance about it then comes out as a residue instead of 0). Should the
// differences overflow, the plain mean is taken.
template <class ForEach>
double window_mean(std::uint64_t count, const ForEach& for_each) {
    bool first = true;
    double base = 0.0;
    double relative = 0.0;
    double total = 0.0;
    for_each([&](double v) {
        if (first) {
            base = v;
            first = false;
        }
        relative += v - base;
        total += v;
    });
    const double n = static_cast<double>(count);
    const double m = base + relative / n;
    return is_finite(m) ? m : total / n;
}

class ShiftedSums {
public:
    // Takes a leaving value's deviation out of both sums.
    void remove(double old) {
        const double d = old - shift_;
        s1_ = s1_ - d;
        s2_ = s2_ - d * d;
    }

    // Adds x (the first value ever becomes the anchor); counts one update towards
    // the next re-centring and answers x - shift.
    double add(double x) {
        if (!shift_set_) {
            shift_ = x;
            shift_set_ = true;
        }
        return add_anchored(x);
    }

    // add for sums whose anchor is already set (some value was added before).
    double add_anchored(double x) {
        const double d = add_uncounted(x);
        since_recenter_ += 1;
        return d;
    }

    // add_anchored for an owner that counts the updates towards the next re-centring
    // itself, several at once (count_updates), and asks lost() after each.
    double add_uncounted(double x) {
        const double d = x - shift_;
        s1_ = d + s1_;
        s2_ = d * d + s2_;
        return d;
    }
    void count_updates(std::uint64_t k) { since_recenter_ += k; }
    // Starts the next re-centring period: an owner that took the periodic re-centring
    // (take_recentered) at the end of a period it counted itself.
    void restart_period() { since_recenter_ = 0; }
    // The precision test of recenter_due alone (see the top of this file), after an
    // update that added `newest`. Inline whole: the column loops that ask it keep
    // their sums in registers across the rare questions too.
    [[gnu::always_inline]] bool lost(double count, double newest) {
        if (steady(count)) [[likely]] return false;
        return asked(count, newest);
    }
    // The same test in two halves (see DeviationWatch::steady): the usual update's one
    // comparison, and the questions after it, for an owner that takes those out of line.
    [[gnu::always_inline]] bool steady(double count) { return watch_.steady(count, s1_, s2_); }
    // The watch's inline first question after steady() (see DeviationWatch::still).
    [[gnu::always_inline]] bool still(double newest) { return watch_.still(s1_, s2_, newest); }
    [[gnu::always_inline]] bool asked(double count, double newest) {
        return watch_.asked(count, shift_, s1_, s2_, newest);
    }

    // True once every n updates (a fixed phase), and then starts the next period.
    [[gnu::always_inline]] bool period_over(std::uint64_t n) {
        const bool periodic = since_recenter_ >= n;
        if (periodic) since_recenter_ = 0;
        return periodic;
    }

    // True every n updates (a fixed phase), and on any update after which the sums
    // have lost their precision (see the top of this file). Call once per update,
    // after its arithmetic, with the number of values the window holds and the value
    // the update added.
    [[gnu::always_inline]] bool recenter_due(std::uint64_t n, std::uint64_t count, double newest) {
        return recenter_due_at(n, static_cast<double>(count), newest);
    }
    // recenter_due with the count already in f64 (a full window's length, kept).
    [[gnu::always_inline]] bool recenter_due_at(std::uint64_t n, double count, double newest) {
        const bool periodic = period_over(n);
        return lost(count, newest) || periodic;
    }
    // recenter_due_at for an owner that steps one update at a time, with the watch's
    // rarer questions out of line (see DeviationWatch::lost).
    [[gnu::always_inline]] bool recenter_due_stepped(std::uint64_t n, double count, double newest) {
        const bool periodic = period_over(n);
        return watch_.lost(count, shift_, s1_, s2_, newest) || periodic;
    }

    // Moves the anchor to the window mean and re-adds both sums from 0.0.
    // `for_each(fn)` must call fn(v) for the `count` window values, oldest first.
    // An empty window returns the sums to their fresh state.
    template <class ForEach>
    void recenter(std::uint64_t count, const ForEach& for_each) {
        if (count == 0) {
            const std::uint64_t since = since_recenter_;
            *this = ShiftedSums{};
            since_recenter_ = since;
            return;
        }
        const double m = anchor_for(window_mean(count, for_each), count, for_each);
        double s1 = 0.0;
        double s2 = 0.0;
        for_each([&](double v) {
            const double d = v - m;
            s1 += d;
            s2 += d * d;
        });
        take_recentered(m, s1, s2, count, for_each);
    }

    // take_recentered for an owner that can hand over the window, visited oldest
    // first: the watch then knows the run of equal values that ends it.
    template <class ForEach>
    void take_recentered(double m, double s1, double s2, std::uint64_t, const ForEach& for_each) {
        take_recentered(m, s1, s2);
        if (DeviationWatch::wants_run(s2)) [[unlikely]] {
            watch_.restart(s2, trailing_run(for_each));
        }
    }

    // take_recentered of what `fresh` re-centred (its watch, run and all).
    void take_recentered(const ShiftedSums& fresh) {
        shift_ = fresh.shift_;
        shift_set_ = true;
        s1_ = fresh.s1_;
        s2_ = fresh.s2_;
        watch_ = fresh.watch_;
    }

    // Takes the sums Σ(v − m) and Σ(v − m)² that an owner re-added itself about the
    // window mean m (from 0.0, oldest first, as recenter does).
    void take_recentered(double m, double s1, double s2) {
        shift_ = m;
        shift_set_ = true;
        s1_ = s1;
        s2_ = s2;
        watch_.restart(s2);
    }

    // Mean of the n values held: shift + s1 / n.
    double mean(double n) const { return shift_ + s1_ / n; }

    // Population variance s2 / n - (s1 / n)^2, clamped to 0 when negative or NaN.
    double population_variance(double n) const { return moments(n).variance; }

    // The mean and the population variance together, exactly as mean(n) and
    // population_variance(n) give them. s1 / n and s2 / n are divided side by side
    // in one packed division: each lane is the same correctly rounded quotient as a
    // scalar division, and the divider is what a per-bar deviation waits on.
    struct Moments {
        double mean;
        double variance;
    };
    Moments moments(double n) const {
        using Pair = double __attribute__((vector_size(16)));
        const Pair q = Pair{s1_, s2_} / Pair{n, n};
        const double a = q[0];
        const double var = q[1] - a * a;
        return {shift_ + a, (var >= 0.0) ? var : 0.0};
    }

    // Sample variance (divisor n - 1, n >= 2): see sample_variance_of.
    double sample_variance(double n) const { return sample_variance_of(s1_, s2_, n); }

    // The sample variance of n values from their sums about any shift, s1 = Σ(v − shift)
    // and s2 = Σ(v − shift)²: fma(n, -(s1/n)^2, s2) / (n - 1), taken as 0 when it is not
    // above zero (rounding can push a flat window below it).
    static double sample_variance_of(double s1, double s2, double n) {
        const double var = unclamped_sample_variance_of(s1, s2, n);
        return (var > 0.0) ? var : 0.0;
    }
    // The same before the clamp, for an owner that tests it against a bound of its own.
    // n - 1 may come from the owner (exact for any count below 2^53).
    static double unclamped_sample_variance_of(double s1, double s2, double n) {
        return unclamped_sample_variance_of(s1, s2, n, n - 1.0);
    }
    static double unclamped_sample_variance_of(double s1, double s2, double n, double n_less_one) {
        const double a = s1 / n;
        return std::fma(n, -(a * a), s2) / n_less_one;
    }
    double unclamped_sample_variance(double n, double n_less_one) const {
        return unclamped_sample_variance_of(s1_, s2_, n, n_less_one);
    }

    // A value this large, or not finite, may make the sum of squares non-finite: below
    // it, the squared deviations of a window of up to 2^27 values stay far below the
    // largest double.
    static constexpr double kTameValue = 0x1p496;
    // Whether x is finite and no larger than that: the values the column loops' fast
    // roads take.
    static bool is_tame(double x) { return std::fabs(x) <= kTameValue; }
    // The first of values[from, count) that is not tame, or count: tested a block at a
    // time by a comparison (NaN and both infinities fail it), which vectorises.
    static std::size_t tame_run_end(const double* values, std::size_t from, std::size_t count) {
        constexpr std::size_t kScan = 32;
        std::size_t r = from;
        for (; count - r >= kScan; r += kScan) {
            long refused = 0;
            for (std::size_t j = 0; j < kScan; ++j) refused += !(std::fabs(values[r + j]) <= kTameValue);
            if (refused != 0) break;
        }
        while (r < count && is_tame(values[r])) ++r;
        return r;
    }

    // The largest deviation from an anchor whose Power-th powers, over `count`
    // values, sum to at most a quarter of the largest double; the tame bound of such
    // sums is half of it (a tame value deviates from a tame anchor by at most this).
    template <int Power>
    static double deviation_bound(std::uint64_t count) {
        const int width = std::bit_width(count > 0 ? count : 1);
        // 2^e built from its exponent bits (e lies well inside the normal range).
        const std::uint64_t e = static_cast<std::uint64_t>((1022 - width) / Power);
        return std::bit_cast<double>((e + 1023) << 52);
    }
    template <int Power>
    static double tame_bound(std::uint64_t count) {
        return 0.5 * deviation_bound<Power>(count);
    }

    // The anchor a re-centring takes for the mean m of `count` values that
    // `for_each` visits: the mean itself, so that the answers do not depend on the
    // scale of the data, wherever the window holds no tame value (it lies wholly
    // beyond the bound, and its deviations are its own) or every deviation from the
    // mean keeps its square in range. Only a window that mixes tame values with ones
    // far beyond the bound (ordinary values beside a block near 1e300, say) has its
    // anchor held at the bound: about the mean, the ordinary values' squares would
    // overflow, and those of the ones that enter after them, into sums that no
    // update brings back; about the bound, only the squares of the values beyond it
    // overflow, and those leave (see wait_for_wild_to_leave). A mean inside the
    // bound needs no look at the values: holding it there changes nothing.
    template <class ForEach>
    static double anchor_for(double m, std::uint64_t count, const ForEach& for_each) {
        // The tame bound of any window a sum here keeps (up to 2^27 values) is at
        // least kTameValue: a mean within that needs not even the bound worked out.
        static_assert(MAX_PERIOD <= (std::uint64_t{1} << 27));
        if (std::fabs(m) <= kTameValue) [[likely]] return m;
        const double tame = tame_bound<2>(count);
        if (std::fabs(m) <= tame) return m;
        const double bound = 2.0 * tame;
        bool fits = true;
        bool mixed = false;
        for_each([&](double v) {
            fits = fits && std::fabs(v - m) <= bound;
            mixed = mixed || std::fabs(v) <= tame;
        });
        return fits || !mixed ? m : std::clamp(m, -tame, tame);
    }

    // The test of a value that may make sums about `anchor` non-finite: not finite, or
    // deviating from it by more than `bound`. About an anchor that is itself not finite
    // (the mean of a window holding opposite infinities) every deviation is; the
    // values that made it so are then those beyond half the bound, as about a tame
    // anchor.
    static auto far_from(double anchor, double bound) {
        const bool finite_anchor = is_finite(anchor);
        return [anchor, bound, finite_anchor](double v) {
            return finite_anchor ? !(std::fabs(v - anchor) <= bound) : !(std::fabs(v) <= 0.5 * bound);
        };
    }

    // For an owner whose values may be NaN, infinite or beyond the tame range, after
    // recenter() with the same window: sums still not finite stay so (NaN and infinity
    // absorb every later step) until the next re-centring, so it comes on the update
    // at which the newest value that can make them so leaves: one that is not finite,
    // or whose deviation from the anchor is beyond deviation_bound (the squares of
    // deviations within it cannot overflow). The periodic count is set that far from
    // its turn, which holds whether or not the window is full yet. Each such
    // re-centring is past every such value at the one before, so two of them are at
    // least a window apart.
    template <class ForEach>
    void wait_for_wild_to_leave(std::uint64_t count, const ForEach& for_each) {
        if (is_finite(s1_) && is_finite(s2_)) [[likely]] return;
        const std::uint64_t next = newest_entry(for_each, far_from(shift_, deviation_bound<2>(count)));
        // None found (deviations within the bound cannot overflow): the periodic turn.
        if (next > 0) since_recenter_ = count - next;
    }


    double shift() const { return shift_; }
    double s1() const { return s1_; }
    double s2() const { return s2_; }
    bool shift_set() const { return shift_set_; }
    std::uint64_t since_recenter() const { return since_recenter_; }

private:
    // Out of line and by value: rare, and the owners' loops keep their registers.
    template <class ForEach>
    [[gnu::noinline]] static FlatRun trailing_run(ForEach for_each) {
        FlatRun run;
        for_each([&](double v) { run.push(v); });
        return run;
    }

    double shift_ = 0.0;
    double s1_ = 0.0;
    double s2_ = 0.0;
    DeviationWatch watch_;
    std::uint64_t since_recenter_ = 0;
    bool shift_set_ = false;
};

}  // namespace torvex
