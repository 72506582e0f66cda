// A window of the last n values with shifted sums: the population variance and mean
// that the deviation-based window statistics read.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <expected>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/error.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/four_recentrings.hpp"
#include "indicators/cores/shifted_sums.hpp"

namespace torvex {

// The last n values with their shifted sums; the anchor moves to the window mean
// every n pushes, which keeps the variance of values far from zero accurate.
class VarianceWindow {
public:
    // Z then M on n.
    static std::expected<VarianceWindow, IndicatorError> create(std::uint64_t n);

    // No input guard: x may be infinite (the sums come back once it has left). Pushes
    // x, taking the oldest out once n are held; answers whether the window is full.
    bool push(double x) {
        double count = n_;
        if (window_.full()) [[likely]] {
            // A full window has had values: the anchor is set.
            sums_.remove(window_.replace_oldest(x));
            sums_.add_anchored(x);
        } else {
            window_.push_back(x);
            sums_.add(x);
            count = static_cast<double>(window_.size());
        }
        // The usual update ends at the periodic count and the watch's one comparison;
        // the rest of recenter_due, and the re-centring, are out of line.
        const bool periodic = sums_.period_over(period_);
        const bool steady = sums_.steady(count);
        if (!steady || periodic) [[unlikely]] settle(periodic, !steady, x);
        return window_.full();
    }

    // Meaningful once full: population variance (divisor n, clamped at 0) and mean.
    double variance() const { return sums_.population_variance(n_); }
    double mean() const { return sums_.mean(n_); }
    // Both at once, for owners that read the two (one division for the pair).
    ShiftedSums::Moments moments() const { return sums_.moments(n_); }
    // Sample variance (divisor n - 1, clamped at 0); needs n >= 2.
    double sample_variance() const { return sums_.sample_variance(n_); }
    // The same before the clamp at 0 (it may be negative or NaN).
    double unclamped_sample_variance() const { return sums_.unclamped_sample_variance(n_, n_less_one_); }
    // x less the window mean, taken through the anchor: (x - shift) - s1/n, without
    // rounding the mean at the level of the values first (a deviation of 1e-5 from a
    // mean of 1e6 would carry 1e-10 of it). Meaningful once full.
    double deviation(double x) const { return (x - sums_.shift()) - sums_.s1() / n_; }

    std::uint64_t period() const { return period_; }
    std::uint64_t size() const { return window_.size(); }
    // The value pushed k pushes ago (k < size()).
    double from_newest(std::uint64_t k) const { return window_.from_newest(k); }

    // Variances of several bars side by side.
    using Lanes = double __attribute__((vector_size(4 * sizeof(double))));

    // A whole contiguous column of values, refused (non-finite) ones answering 0.0:
    // exactly what pushing the finite ones one by one would give, out[r] being
    // answer(variance()) once the window is full. `answer` takes a double, and may
    // take Lanes too (lane by lane the same operations). Answers one past the last
    // bar that had a value (0 for none).
    //
    // Once the window is full and holds the last n values of this column, each run
    // of tame values (finite, and at most ShiftedSums::kTameValue in magnitude) goes
    // through run_finite; everything else is pushed bar by bar.
    // The ring is brought up to date after each run with its last n values.
    template <class Answer>
    [[gnu::always_inline]] std::size_t run_column(const double* values, std::size_t count, double* __restrict out,
                                                  Answer answer) {
        const std::size_t n = period_;
        std::size_t finite = 0;  // tame values of this column, in a row, just before r
        std::size_t produced = 0;
        std::size_t r = 0;
        while (r < count) {
            if (finite >= n && window_.full() && ShiftedSums::is_tame(values[r])) {
                const std::size_t end = ShiftedSums::tame_run_end(values, r + 1, count);
                run_finite(values, r, end, out, answer);
                for (std::size_t m = end - r > n ? end - n : r; m < end; ++m) window_.replace_oldest(values[m]);
                finite += end - r;
                produced = end;
                r = end;
                continue;
            }
            const double x = values[r];
            if (is_finite(x)) {
                if (push(x)) {
                    out[r] = answer(variance());
                    produced = r + 1;
                } else {
                    out[r] = 0.0;
                }
                finite = ShiftedSums::is_tame(x) ? finite + 1 : 0;
            } else {
                out[r] = 0.0;
                finite = 0;
            }
            r += 1;
        }
        return produced;
    }

private:
    // The rest of push's recenter_due after a periodic turn or an update the watch's
    // first comparison did not pass (`ask`), with the re-centring it calls for. Out of
    // line: rare, and push, which runs every bar, keeps its registers.
    [[gnu::noinline]] void settle(bool periodic, bool ask, double x) {
        const std::uint64_t count = window_.size();
        const bool lost = ask && sums_.asked(static_cast<double>(count), x);
        if (!(lost || periodic)) return;
        const auto values = [this](const auto& fn) { window_.for_each(fn); };
        sums_.recenter(count, values);
        // A value whose square may overflow the sums (beyond 2^496, or an infinite
        // log return) leaves sums that no later update brings back: the next
        // re-centring comes as it leaves. (A column's roads push such values one
        // by one through here.)
        if (!(std::fabs(sums_.s2()) <= std::numeric_limits<double>::max())) [[unlikely]]
            sums_.wait_for_wild_to_leave(count, values);
    }

    // How many scheduled re-centrings, and how many bars' answers, are worked out
    // together.
    static constexpr std::size_t kLanes = sizeof(Lanes) / sizeof(double);
    // Whether an answer takes several variances at once.
    template <class Answer>
    static constexpr bool kAnswersLanes = std::is_invocable_r_v<Lanes, Answer, Lanes>;
    // Bars whose sums are kept before their answers are worked out.
    static constexpr std::size_t kBlock = 32;

    // The bars [from, to) of a full window whose n values before `from` are the
    // column's, all finite. The sums run in a local copy, bar by bar, in the order
    // push takes. A re-centring depends only on the n values then in the window, so
    // the scheduled ones (every n bars) are worked out ahead, kLanes at a time as
    // independent chains (see recentre_lanes), and the bar that is due takes its
    // result: the long chains of the re-add stay off the path from bar to bar. An
    // unscheduled one (the watch found lost precision) is re-added there and then.
    // A bar's answer depends only on its sums: where the answer takes Lanes, the sums
    // are kept for a block of bars and the answers worked out several bars at a time
    // (see answer_group); otherwise each bar's answer is worked out in turn.
    template <class Answer>
    [[gnu::always_inline]] void run_finite(const double* values, std::size_t from, std::size_t to,
                                           double* __restrict out, Answer answer) {
        const std::size_t n = period_;
        const double nd = n_;
        ShiftedSums sums = sums_;
        // The first bar whose count of updates reaches n.
        std::size_t due = from + static_cast<std::size_t>(period_ - 1 - sums.since_recenter());
        double mean[kLanes], r1[kLanes], r2[kLanes];
        std::size_t taken = 0;  // of the scheduled re-centrings worked out
        if (due < to) recentre_lanes(values, due, to, mean, r1, r2);
        // Two blocks of sums: while one fills, the answers of the one before are
        // worked out a group of kLanes bars at a time, one group per kLanes bars, so
        // that the divisions overlap the sums. A short block's other lanes read
        // whatever they held (0.0 at first) and are not written out.
        double s1[2][kBlock] = {}, s2[2][kBlock] = {};
        std::size_t cur = 0;
        std::size_t prev_from = from;  // the block before: its first bar and length
        std::size_t prev_len = 0;
        for (std::size_t b = from; b < to; b += kBlock) {
            const std::size_t len = to - b < kBlock ? to - b : kBlock;
            for (std::size_t i = 0; i < len; ++i) {
                const std::size_t j = b + i;
                sums.remove(values[j - n]);
                sums.add_anchored(values[j]);
                if (sums.recenter_due_at(period_, nd, values[j])) [[unlikely]] {
                    if (j == due) {
                        sums.take_recentered(mean[taken], r1[taken], r2[taken]);
                        taken += 1;
                        due += n;
                        if (taken == kLanes && due < to) {
                            recentre_lanes(values, due, to, mean, r1, r2);
                            taken = 0;
                        }
                    } else {
                        // Re-added in a sums of its own, so that the running ones
                        // never leave the registers.
                        const double* const w = values + (j + 1 - n);
                        ShiftedSums fresh;
                        fresh.recenter(n, [w, n](const auto& fn) {
                            for (std::size_t k = 0; k < n; ++k) fn(w[k]);
                        });
                        sums.take_recentered(fresh);
                    }
                }
                if constexpr (kAnswersLanes<Answer>) {
                    s1[cur][i] = sums.s1();
                    s2[cur][i] = sums.s2();
                    const std::size_t g = i + 1 - kLanes;  // the group this bar closes
                    if (i % kLanes == kLanes - 1 && g < prev_len)
                        answer_group(s1[cur ^ 1] + g, s2[cur ^ 1] + g, prev_len - g, out + prev_from + g, answer);
                } else {
                    out[j] = answer(sums.population_variance(nd));
                }
            }
            if constexpr (kAnswersLanes<Answer>) {
                for (std::size_t g = len / kLanes * kLanes; g < prev_len; g += kLanes)
                    answer_group(s1[cur ^ 1] + g, s2[cur ^ 1] + g, prev_len - g, out + prev_from + g, answer);
                prev_from = b;
                prev_len = len;
                cur ^= 1;
            }
        }
        if constexpr (kAnswersLanes<Answer>) {
            for (std::size_t g = 0; g < prev_len; g += kLanes)
                answer_group(s1[cur ^ 1] + g, s2[cur ^ 1] + g, prev_len - g, out + prev_from + g, answer);
        }
        sums_ = sums;
    }

    // out[k] = answer(population variance of the sums s1[k], s2[k]) for the kLanes
    // bars from s1[0] (the first `left` of them written out), with the operations of
    // ShiftedSums::moments on each bar side by side (each lane of a division is the
    // same correctly rounded quotient); the answer takes the kLanes variances at once.
    template <class Answer>
    [[gnu::always_inline]] void answer_group(const double* s1, const double* s2, std::size_t left,
                                             double* __restrict out, Answer answer) const {
        const Lanes n = {n_, n_, n_, n_};
        const Lanes zero = {};
        Lanes a, q;
        std::memcpy(&a, s1, sizeof a);
        std::memcpy(&q, s2, sizeof q);
        a = a / n;
        const Lanes var = q / n - a * a;
        const Lanes got = answer(var >= zero ? var : zero);
        if (left >= kLanes) [[likely]] {
            std::memcpy(out, &got, sizeof got);
        } else {
            for (std::size_t k = 0; k < left; ++k) out[k] = got[k];
        }
    }

    // The re-centrings of the windows ending at bars due, due + n, ... (kLanes of
    // them; those at or past `to` repeat the first, and are not taken): for each,
    // the mean and the sums re-added about it, with the operations and the order of
    // ShiftedSums::recenter (see recentre_four).
    [[gnu::noinline]] void recentre_lanes(const double* values, std::size_t due, std::size_t to,
                                               double* mean, double* s1, double* s2) const {
        const std::size_t n = period_;
        const double* w[kLanes];
        for (std::size_t k = 0; k < kLanes; ++k) {
            const std::size_t end = due + k * n < to ? due + k * n : due;
            w[k] = values + (end + 1 - n);
        }
        static_assert(kLanes == 4, "the re-centrings come four at a time");
        const FourRecentrings got = recentre_four<false>(w, n, n_);
        for (std::size_t k = 0; k < kLanes; ++k) {
            mean[k] = got.mean[k];
            s1[k] = got.s1[k];
            s2[k] = got.s2[k];
        }
    }

    explicit VarianceWindow(std::uint64_t n)
        : window_(n), period_(n), n_(static_cast<double>(n)), n_less_one_(static_cast<double>(n) - 1.0) {}

    CappedRing<double> window_;
    ShiftedSums sums_;
    std::uint64_t period_;
    double n_;  // period_ as a double, converted once
    double n_less_one_;  // and less 1, for the sample variance
};

}  // namespace torvex
