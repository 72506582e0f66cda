// Extremes of the last n values in amortised O(1) per value.
//
// ExtremeQueue is the one monotone queue of (arrival number, value), kept in a ring
// allocated once; its policy `gives_way(kept, incoming)` says when the newest kept
// entry leaves for an incoming value. A strict policy (kept < incoming for a maximum)
// keeps the oldest of equal extremes, a non-strict one the newest; the two differ for
// values that compare equal but are not the same (-0.0 and +0.0), and NaN handling
// follows from the comparison chosen. QueueExtremes pairs a maximum and a minimum
// queue; ScannedExtremes gives the same answers for a short window without branching
// on the values, and WindowExtremes picks one of the two by the window. A run of
// values known at once (a column) is taken whole by ScannedExtremes::run, whose
// answers do not depend on one another.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <type_traits>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

// Policies for a maximum queue (the minimum mirrors them).
//
// `kept_or_incoming` is gives_way(kept, incoming) ? incoming : kept for two numbers
// (no NaN), written as the processor's max or min instruction, so that no branch on
// the values chooses.
struct BelowIncoming {  // strict: among equal maxima the oldest stays
    static bool gives_way(double kept, double incoming) { return kept < incoming; }
    static double kept_or_incoming(double kept, double incoming) { return kept < incoming ? incoming : kept; }
};
struct AboveIncoming {  // strict: among equal minima the oldest stays
    static bool gives_way(double kept, double incoming) { return kept > incoming; }
    static double kept_or_incoming(double kept, double incoming) { return kept > incoming ? incoming : kept; }
};
struct NotAboveIncoming {  // among equal maxima the newest stays
    static bool gives_way(double kept, double incoming) { return kept <= incoming; }
    static double kept_or_incoming(double kept, double incoming) { return incoming < kept ? kept : incoming; }
};
struct NotBelowIncoming {  // among equal minima the newest stays
    static bool gives_way(double kept, double incoming) { return kept >= incoming; }
    static double kept_or_incoming(double kept, double incoming) { return incoming > kept ? kept : incoming; }
};

template <class Policy>
class ExtremeQueue {
public:
    struct Entry {
        std::uint64_t seq;
        double value;
    };

    // capacity >= 1: the most entries alive at once (the span of the window).
    explicit ExtremeQueue(std::uint64_t capacity) : entries_(capacity) {}

    // Drops the entries that arrived before arrival number `first`.
    void expire_before(std::uint64_t first) {
        while (!entries_.empty() && entries_.front().seq < first) entries_.pop_front();
    }

    // The same for a window that slides by one arrival per push: at most the front
    // entry can have left.
    void expire_front_before(std::uint64_t first) {
        if (!entries_.empty() && entries_.front().seq < first) entries_.pop_front();
    }

    // Adds v as arrival `seq` (increasing from push to push) after the entries that
    // give way to it have left; the caller has expired what left the window.
    void push(std::uint64_t seq, double v) {
        while (!entries_.empty() && Policy::gives_way(entries_.back().value, v)) entries_.pop_back();
        entries_.push_back(Entry{seq, v});
    }

    // Multiplies every kept value by 2^k (an owner that holds its values scaled by a
    // power of two, which keeps their order).
    void scale_values(int k) {
        for (std::uint64_t i = 0, n = entries_.size(); i < n; ++i) {
            const Entry e = entries_.front();
            entries_.pop_front();
            entries_.push_back(Entry{e.seq, std::ldexp(e.value, k)});
        }
    }

    bool empty() const { return entries_.empty(); }
    std::uint64_t size() const { return entries_.size(); }
    // The extreme of the live entries (front) and the later ones in queue order.
    const Entry& front() const { return entries_.front(); }
    const Entry& operator[](std::uint64_t i) const { return entries_[i]; }

private:
    FixedRing<Entry> entries_;
};

// What the queues answer, worked out without them. No policy gives way to a NaN or
// lets a NaN give way, so a NaN never leaves the queue from the back: everything that
// came before the window's oldest NaN is frozen behind it as it stood when the NaN
// came. The front of the queue is therefore the fold, from the oldest value, of the
// values before the oldest NaN (the winner replaced whenever it gives way), and the
// oldest value itself when that one is a NaN. Only the window's contents decide it.
template <class Policy>
struct ExtremeFold {
    double value;
    std::uint64_t index;  // counted from the oldest value

    // Folds the values at(0) .. at(count - 1) (count >= 1), oldest first, as the
    // queue would.
    template <class At>
    static ExtremeFold of(At at, std::uint64_t count) {
        ExtremeFold best{at(0), 0};
        if (best.value != best.value) return best;
        for (std::uint64_t i = 1; i < count; ++i) {
            const double v = at(i);
            if (v != v) break;
            if (Policy::gives_way(best.value, v)) best = {v, i};
        }
        return best;
    }
};

// Highest and lowest of the last n values, each with the arrival that holds it, by two
// monotone queues: O(1) amortised per value whatever n. Arrivals are numbered from 1.
template <class MaxPolicy, class MinPolicy>
class QueueExtremes {
public:
    // n is at least 1 and already bounded by the owner.
    explicit QueueExtremes(std::uint64_t n) : highs_(n), lows_(n), period_(n) {}

    // Enters `hi` into the maximum queue and `lo` into the minimum queue as one
    // arrival (pass the same value twice to track one series).
    [[gnu::always_inline]] void push(double hi, double lo) {
        count_ += 1;
        // Arrival `seq` has left once seq + n <= count.
        const std::uint64_t first = count_ + 1 > period_ ? count_ + 1 - period_ : 0;
        highs_.expire_front_before(first);
        lows_.expire_front_before(first);
        highs_.push(count_, hi);
        lows_.push(count_, lo);
    }

    // All need at least one push.
    double highest() const { return highs_.front().value; }
    double lowest() const { return lows_.front().value; }
    std::uint64_t highest_arrival() const { return highs_.front().seq; }
    std::uint64_t lowest_arrival() const { return lows_.front().seq; }

    // Whether the value that arrived `ago` arrivals before the newest is strictly
    // above (below) every other value of the window: it heads its queue and the
    // next entry, the largest (smallest) of the later values, is strictly lower
    // (higher). Any earlier value at least as high would head the queue instead.
    bool only_highest(std::uint64_t ago) const { return strict_head(highs_, ago, [](double a, double b) { return a < b; }); }
    bool only_lowest(std::uint64_t ago) const { return strict_head(lows_, ago, [](double a, double b) { return a > b; }); }

    // Arrivals so far.
    std::uint64_t count() const { return count_; }
    // Arrivals so far, capped at n: how full the window is.
    std::uint64_t size() const { return count_ < period_ ? count_ : period_; }
    bool full() const { return count_ >= period_; }
    std::uint64_t period() const { return period_; }

private:
    template <class Queue, class Beyond>
    bool strict_head(const Queue& queue, std::uint64_t ago, Beyond beyond) const {
        if (queue.empty() || ago >= count_ || queue.front().seq != count_ - ago) return false;
        return queue.size() == 1 || beyond(queue[1].value, queue.front().value);
    }

    ExtremeQueue<MaxPolicy> highs_;
    ExtremeQueue<MinPolicy> lows_;
    std::uint64_t period_;
    std::uint64_t count_ = 0;
};

// The same answers for a short window, with no branch that depends on the values.
// The last n values stay in a ring; the newest of them since the last rebuild are
// folded as they come (`recent`), and at the rebuild the older ones were folded from
// each to the newest of them (`table`, one entry a slot). The window's answer is then
// its oldest slot's table entry against the recent fold: two comparisons a value,
// however the extremes move, and one backward fold of n - 1 values every n - 1
// pushes. The queues' pops instead branch on the values, which the processor cannot
// predict. Until the window is full, and while a NaN is among its values, each push
// folds the window as the queue would (ExtremeFold::of).
//
// With `kArrivals` false the arrivals that hold the extremes are not kept (no owner
// asks), which spares the selects and stores that follow them.
template <class MaxPolicy, class MinPolicy, bool kArrivals = true>
class ScannedExtremes {
public:
    // n is at least 1 and already bounded by the owner.
    explicit ScannedExtremes(std::uint64_t n)
        : values_(4 * n + 2, 0.0), arrivals_(kArrivals ? 2 * n + 2 : 0, 0), settle_(n + 1), period_(n) {}

    [[gnu::always_inline]] void push(double hi, double lo) {
        count_ += 1;
        double* const values = values_.data();
        const std::uint64_t slot = slot_;
        values[slot] = hi;
        values[period_ + slot] = lo;
        slot_ = slot + 1 == period_ ? 0 : slot + 1;
        if (count_ >= next_event_ || std::isunordered(hi, lo)) [[unlikely]] {
            const Events e = rare(hi, lo, values, arrivals_.data(), count_, slot_, period_, settle_);
            settle_ = e.settle;
            next_event_ = e.next_event;
            if (count_ < settle_) {
                // The fold of the whole window, left past the tables.
                high_kept_ = {values[4 * period_], folded_arrival(arrivals_.data(), period_, 0)};
                low_kept_ = {values[4 * period_ + 1], folded_arrival(arrivals_.data(), period_, 1)};
                return;
            }
            // Rebuilt: the recent fold starts again from the newest value.
            high_recent_ = {hi, count_};
            low_recent_ = {lo, count_};
        } else {
            high_recent_ = take<MaxPolicy>(high_recent_, hi, count_);
            low_recent_ = take<MinPolicy>(low_recent_, lo, count_);
        }
        // slot_ now holds the window's oldest value, whose table entry folds it with
        // every value up to the recent ones.
        high_kept_ = join<MaxPolicy>({values[2 * period_ + slot_], table_arrival(slot_)}, high_recent_);
        low_kept_ = join<MinPolicy>({values[3 * period_ + slot_], table_arrival(period_ + slot_)}, low_recent_);
    }

    double highest() const { return high_kept_.value; }
    double lowest() const { return low_kept_.value; }
    std::uint64_t highest_arrival() const
        requires kArrivals
    {
        return high_kept_.arrival;
    }
    std::uint64_t lowest_arrival() const
        requires kArrivals
    {
        return low_kept_.arrival;
    }

    std::uint64_t count() const { return count_; }
    std::uint64_t size() const { return count_ < period_ ? count_ : period_; }
    bool full() const { return count_ >= period_; }
    std::uint64_t period() const { return period_; }

    // Pushes `count` pairs at once and writes answer(k, highest, lowest) of the window
    // ending at each value k to out[k] (k < count): the answers and the state that
    // pushing them one by one gives, at a few operations a value whatever the extremes
    // do. Takes a run of at least n finite values into a window that is full and has
    // no NaN left once the first of them is in; otherwise it changes nothing and
    // answers false.
    //
    // The windows are cut at every n-th value of the run (the anchors): the window
    // ending at anchor a + i (0 <= i < n) is the values up to the anchor, folded from
    // the window's oldest, then the values after it, folded from a + 1; the first are
    // a fold backwards over the n values ending at the anchor, the second one forwards
    // from it. Keeping the oldest of equal extremes is an associative combine, so the
    // two folds joined older-then-newer give exactly the scan of the window.
    template <class Answer>
    [[gnu::always_inline]] bool run(const double* hi, const double* lo, std::size_t count, double* out,
                                    Answer answer)
        requires(!kArrivals)
    {
        const std::uint64_t n = period_;
        if (count < n || count_ < n || count_ + 1 < settle_ || !all_finite(hi, lo, count)) return false;
        if (block_.size() < scratch_size(n)) block_.assign(scratch_size(n), 0.0);
        double* const values = values_.data();
        double* const t_hi = block_.data();  // the backward folds of the first anchor
        double* const t_lo = t_hi + (group_anchors(n) + 1) * n;
        // Anchor 0's window: the last n - 1 values before the run, the oldest at the
        // slot after the next one, and the run's first value.
        {
            double sh = hi[0];
            double sl = lo[0];
            t_hi[n - 1] = sh;
            t_lo[n - 1] = sl;
            for (std::uint64_t t = n - 1; t-- > 0;) {
                std::uint64_t k = slot_ + 1 + t;
                k = k >= n ? k - n : k;
                sh = MaxPolicy::kept_or_incoming(values[k], sh);
                sl = MinPolicy::kept_or_incoming(values[n + k], sl);
                t_hi[t] = sh;
                t_lo[t] = sl;
            }
        }
        block_answers(hi, lo, count, n, block_.data(), out, answer);
        settle_after_run(hi, lo, count);
        return true;
    }

private:
    // Where no owner asks for arrivals, the field takes no room and no store.
    struct NoArrival {
        constexpr NoArrival(std::uint64_t = 0) {}  // NOLINT: stands in for a count
        constexpr operator std::uint64_t() const { return 0; }
    };
    using Arrival = std::conditional_t<kArrivals, std::uint64_t, NoArrival>;
    struct Kept {
        double value = 0.0;
        [[no_unique_address]] Arrival arrival = 0;
    };
    // What the rare path hands back, in two registers: from which push on the window
    // is full and free of NaN, and which push takes the rare path next.
    struct Events {
        std::uint64_t settle;
        std::uint64_t next_event;
    };

    // The incoming value in the kept one's place when the kept one gives way to it
    // (a select, not a branch).
    template <class Policy>
    static Kept take(Kept kept, double v, std::uint64_t arrival) {
        return join<Policy>(kept, {v, arrival});
    }
    // The fold of an older run, then a newer one.
    template <class Policy>
    static Kept join(Kept older, Kept newer) {
        const bool gives_way = Policy::gives_way(older.value, newer.value);
        return {Policy::kept_or_incoming(older.value, newer.value), gives_way ? newer.arrival : older.arrival};
    }

    // While the window fills or holds a NaN (until `settle`), the fold of the window as
    // the queues answer, left after the tables; from then on, a rebuild of the tables
    // every n - 1 pushes. The storage comes by pointers and the counters by value,
    // and two counters go back, all in registers: the address of the object never
    // leaves the hot loop that owns it, and what the loop reads back was written in
    // the same widths (a wider read of narrower writes would stall).
    [[gnu::noinline]] static Events rare(double hi, double lo, double* values, std::uint64_t* arrivals,
                                         std::uint64_t count, std::uint64_t slot, std::uint64_t n,
                                         std::uint64_t settle) {
        if (std::isunordered(hi, lo)) settle = count + n;
        if (count < settle) {
            Kept high;
            Kept low;
            if (count > 1 && count <= n && settle == n + 1) {
                // A window still filling and with no NaN after its first value: the
                // fold goes on from the last one (a first NaN stays, as it heads the
                // queue), so filling a long window costs no more than running it.
                high = {values[4 * n], folded_arrival(arrivals, n, 0)};
                low = {values[4 * n + 1], folded_arrival(arrivals, n, 1)};
                if (MaxPolicy::gives_way(high.value, hi)) high = {hi, count};
                if (MinPolicy::gives_way(low.value, lo)) low = {lo, count};
            } else {
                const std::uint64_t size = count < n ? count : n;
                const double* const oldest = values + (count > n ? slot : 0);
                high = fold_window<MaxPolicy>(values, oldest, size, count, n);
                low = fold_window<MinPolicy>(values + n, oldest + n, size, count, n);
            }
            values[4 * n] = high.value;
            values[4 * n + 1] = low.value;
            if constexpr (kArrivals) {
                arrivals[2 * n] = high.arrival;
                arrivals[2 * n + 1] = low.arrival;
            }
            return {settle, count + 1};
        }
        rebuild(values, arrivals, count, slot, n);
        return {settle, count + n - 1};
    }

    // The window's `size` values from `oldest` on, in the ring of n that starts at `ring`.
    template <class Policy>
    static Kept fold_window(const double* ring, const double* oldest, std::uint64_t size, std::uint64_t count,
                            std::uint64_t n) {
        // Indexed from the ring's start, so no pointer is formed outside the ring.
        const auto start = static_cast<std::uint64_t>(oldest - ring);
        const auto at = [&](std::uint64_t i) { return start + i < n ? ring[start + i] : ring[start + i - n]; };
        const ExtremeFold<Policy> fold = ExtremeFold<Policy>::of(at, size);
        return {fold.value, count - size + 1 + fold.index};
    }

    // Over a full window free of NaN: the newest value starts the recent fold, and each
    // older value's table entry folds it with the values after it, up to the newest
    // but one. The highs and the lows are folded in one loop, as two chains the
    // processor runs side by side.
    static void rebuild(double* values, std::uint64_t* arrivals, std::uint64_t count, std::uint64_t slot,
                        std::uint64_t n) {
        const double* const ring_hi = values;
        const double* const ring_lo = values + n;
        double* const table_hi = values + 2 * n;
        double* const table_lo = values + 3 * n;
        std::uint64_t* const arrivals_hi = arrivals;
        std::uint64_t* const arrivals_lo = kArrivals ? arrivals + n : nullptr;  // no storage without arrivals
        const std::uint64_t newest = slot == 0 ? n - 1 : slot - 1;
        // The newest value is the recent fold; the table covers the n - 1 before it. A
        // window of one has no such value: its slot's entry is the newest itself, which
        // the recent fold then meets as its equal.
        const auto store = [&](std::uint64_t k, Kept hi, Kept lo) {
            table_hi[k] = hi.value;
            table_lo[k] = lo.value;
            if constexpr (kArrivals) {
                arrivals_hi[k] = hi.arrival;
                arrivals_lo[k] = lo.arrival;
            }
        };
        if (n == 1) {
            store(0, {ring_hi[0], count}, {ring_lo[0], count});
            return;
        }
        const std::uint64_t next = newest == 0 ? n - 1 : newest - 1;  // the newest but one
        Kept hi{ring_hi[next], count - 1};
        Kept lo{ring_lo[next], count - 1};
        std::uint64_t arrival = count - 1;
        // Slots from - 1 down to `to`.
        const auto fold_down = [&](std::uint64_t from, std::uint64_t to) {
            for (std::uint64_t k = from; k-- > to;) {
                hi = join<MaxPolicy>({ring_hi[k], arrival}, hi);
                lo = join<MinPolicy>({ring_lo[k], arrival}, lo);
                store(k, hi, lo);
                arrival -= 1;
            }
        };
        // From the newest but one back to the oldest (at `slot`), in the ring's one or
        // two runs.
        if (slot <= newest) {
            fold_down(newest, slot);
        } else {
            fold_down(newest, 0);
            fold_down(n, slot);
        }
    }

    // No NaN and no infinity among the values (counted by a comparison, which
    // vectorises).
    static bool all_finite(const double* hi, const double* lo, std::size_t count) {
        constexpr double kMax = std::numeric_limits<double>::max();
        long refused = 0;
        for (std::size_t k = 0; k < count; ++k) refused += !(std::fabs(hi[k]) <= kMax);
        if (lo != hi)
            for (std::size_t k = 0; k < count; ++k) refused += !(std::fabs(lo[k]) <= kMax);
        return refused == 0;
    }

    // The run's answers, anchor after anchor. Each fold is a chain of dependent
    // comparisons, so the blocks after kLanes anchors are folded in one loop, forwards
    // and backwards, as 4 * kLanes chains the processor runs side by side; the answers
    // of a group of anchors, some kJoinSpan values or more, are then joined in one loop
    // with no chain, which the compiler vectorises.
    static constexpr std::size_t kLanes = 2;
    static constexpr std::size_t kJoinSpan = 128;
    // Anchors a group, and the scratch values it needs: the backward folds of the
    // group's anchor and of each block after one (highs, then lows), and the forward
    // folds of each block (highs, then lows).
    static std::size_t group_anchors(std::uint64_t n) { return std::max<std::size_t>(kLanes, (kJoinSpan + n - 1) / n); }
    static std::size_t scratch_size(std::uint64_t n) { return (4 * group_anchors(n) + 2) * n; }

    // `scratch` holds anchor 0's backward folds at [0, n) (highs) and at
    // [(group + 1) n, (group + 2) n) (lows).
    template <class Answer>
    [[gnu::always_inline]] static void block_answers(const double* hi, const double* lo, std::size_t count,
                                                     std::uint64_t n, double* scratch, double* out, Answer answer) {
        const std::size_t group = group_anchors(n);
        Folds f{scratch, scratch + (group + 1) * n, scratch + 2 * (group + 1) * n,
                scratch + 2 * (group + 1) * n + group * n};
        // Anchors with a whole block after them: a, a + n, ... while a + n < count.
        const std::size_t whole = (count - 1) / n;
        std::size_t a = 0;
        for (std::size_t done = 0; done < whole;) {
            const std::size_t k = std::min(group, whole - done);
            std::size_t g = 0;
            for (; g + kLanes <= k; g += kLanes) fold_blocks<kLanes>(hi, lo, a, g, n, f);
            for (; g < k; ++g) fold_blocks<1>(hi, lo, a, g, n, f);
            join_answers(f, a, k * n, out, answer);
            // The last block's backward folds are the next group's anchor's.
            std::copy_n(f.older_hi + k * n, n, f.older_hi);
            std::copy_n(f.older_lo + k * n, n, f.older_lo);
            done += k;
            a += k * n;
        }
        // The last anchor: only the forward folds of what follows it.
        constexpr double kInf = std::numeric_limits<double>::infinity();
        double ph = -kInf;
        double pl = kInf;
        f.newer_hi[0] = ph;
        f.newer_lo[0] = pl;
        for (std::size_t i = 1; a + i < count; ++i) {
            ph = MaxPolicy::kept_or_incoming(ph, hi[a + i]);
            pl = MinPolicy::kept_or_incoming(pl, lo[a + i]);
            f.newer_hi[i] = ph;
            f.newer_lo[i] = pl;
        }
        join_answers(f, a, count - a, out, answer);
    }

    // A group's folds, block g at [g n, (g + 1) n) of each. older[g n + i] folds the
    // values of the window ending i values after anchor g that come up to the anchor
    // (the fold backwards from the anchor; those of the group's first anchor come in,
    // and the backward folds of the block after anchor g are anchor g + 1's);
    // newer[g n + i] folds the i values after anchor g (at i = 0 the empty fold, an
    // infinity).
    struct Folds {
        double* older_hi;
        double* older_lo;
        double* newer_hi;
        double* newer_lo;
    };

    // The folds of the blocks after anchors a + g n .. a + (g + kBlocks - 1) n.
    template <std::size_t kBlocks>
    [[gnu::always_inline]] static void fold_blocks(const double* __restrict hi, const double* __restrict lo,
                                                   std::size_t a, std::size_t g, std::uint64_t n, Folds f) {
        // The values are finite, so an infinity starts a fold as if it were empty.
        constexpr double kInf = std::numeric_limits<double>::infinity();
        const double* __restrict h = hi + a + g * n;  // anchor g: h[0]; its block: h[1] .. h[n]
        const double* __restrict l = lo + a + g * n;
        double* __restrict back_hi = f.older_hi + (g + 1) * n;
        double* __restrict back_lo = f.older_lo + (g + 1) * n;
        double* __restrict fwd_hi = f.newer_hi + g * n;
        double* __restrict fwd_lo = f.newer_lo + g * n;
        double ph[kBlocks], pl[kBlocks], sh[kBlocks], sl[kBlocks];
        for (std::size_t b = 0; b < kBlocks; ++b) {
            const std::size_t at = b * n;
            ph[b] = -kInf;
            pl[b] = kInf;
            fwd_hi[at] = ph[b];
            fwd_lo[at] = pl[b];
            sh[b] = h[at + n];
            sl[b] = l[at + n];
            back_hi[at + n - 1] = sh[b];
            back_lo[at + n - 1] = sl[b];
        }
        for (std::size_t i = 1; i < n; ++i) {
            const std::size_t j = n - 1 - i;
#pragma GCC unroll 4
            for (std::size_t b = 0; b < kBlocks; ++b) {
                const std::size_t at = b * n;
                ph[b] = MaxPolicy::kept_or_incoming(ph[b], h[at + i]);
                pl[b] = MinPolicy::kept_or_incoming(pl[b], l[at + i]);
                fwd_hi[at + i] = ph[b];
                fwd_lo[at + i] = pl[b];
                sh[b] = MaxPolicy::kept_or_incoming(h[at + 1 + j], sh[b]);
                sl[b] = MinPolicy::kept_or_incoming(l[at + 1 + j], sl[b]);
                back_hi[at + j] = sh[b];
                back_lo[at + j] = sl[b];
            }
        }
    }

    // out[a + i] = answer(a + i, highest, lowest) for i < count: the backward fold
    // joined with the forward fold, older first.
    template <class Answer>
    [[gnu::always_inline]] static void join_answers(Folds f, std::size_t a, std::size_t count, double* __restrict out,
                                                    Answer answer) {
        const double* __restrict older_hi = f.older_hi;
        const double* __restrict older_lo = f.older_lo;
        const double* __restrict newer_hi = f.newer_hi;
        const double* __restrict newer_lo = f.newer_lo;
        for (std::size_t i = 0; i < count; ++i)
            out[a + i] = answer(a + i, MaxPolicy::kept_or_incoming(older_hi[i], newer_hi[i]),
                                MinPolicy::kept_or_incoming(older_lo[i], newer_lo[i]));
    }

    // Leaves the state as `count` (>= n) pushes of the run would: the ring holds the
    // last n values, the tables were rebuilt on schedule at the last due push R and
    // the recent folds run from R on. The table entries of the values that came after
    // R are left as they were: the next rebuild comes before any of them is read.
    void settle_after_run(const double* hi, const double* lo, std::size_t count) {
        const std::uint64_t n = period_;
        double* const values = values_.data();
        const std::uint64_t before = count_;
        const std::uint64_t after = before + count;
        // Value number c (counted as count_ counts) sits at slot (c - 1) mod n and at
        // hi[c - before - 1] in the run.
        const auto at = [&](std::uint64_t c) { return c - before - 1; };
        // The last n values: the oldest, value after - n + 1, at slot after mod n, on
        // to the ring's end, then the rest from its start.
        const std::uint64_t oldest = after % n;
        const double* const last_hi = hi + count - n;
        const double* const last_lo = lo + count - n;
        std::copy_n(last_hi, n - oldest, values + oldest);
        std::copy_n(last_hi + (n - oldest), oldest, values);
        std::copy_n(last_lo, n - oldest, values + n + oldest);
        std::copy_n(last_lo + (n - oldest), oldest, values + n);
        slot_ = oldest;
        // Rebuilds fall due at next_event_ and every n - 1 pushes after; one is due
        // within the first n - 1 pushes of the run.
        const std::uint64_t rebuilt = next_event_ + (after - next_event_) / (n - 1) * (n - 1);
        next_event_ = rebuilt + n - 1;
        count_ = after;
        // The table entries of the live values before R: each folded with those after
        // it up to R - 1.
        double th = hi[at(rebuilt - 1)];
        double tl = lo[at(rebuilt - 1)];
        std::uint64_t slot = (rebuilt - 2) % n;  // that of value R - 1
        for (std::uint64_t c = rebuilt - 1;; --c) {
            th = MaxPolicy::kept_or_incoming(hi[at(c)], th);
            tl = MinPolicy::kept_or_incoming(lo[at(c)], tl);
            values[2 * n + slot] = th;
            values[3 * n + slot] = tl;
            if (c == after - n + 1) break;
            slot = slot == 0 ? n - 1 : slot - 1;
        }
        // The recent folds, from R on (no arrivals are kept).
        double rh = hi[at(rebuilt)];
        double rl = lo[at(rebuilt)];
        for (std::uint64_t c = rebuilt + 1; c <= after; ++c) {
            rh = MaxPolicy::kept_or_incoming(rh, hi[at(c)]);
            rl = MinPolicy::kept_or_incoming(rl, lo[at(c)]);
        }
        high_recent_ = {rh, rebuilt};
        low_recent_ = {rl, rebuilt};
        high_kept_ = join<MaxPolicy>({values[2 * n + slot_], 0}, high_recent_);
        low_kept_ = join<MinPolicy>({values[3 * n + slot_], 0}, low_recent_);
    }

    static std::uint64_t folded_arrival(const std::uint64_t* arrivals, std::uint64_t n, std::uint64_t side) {
        if constexpr (kArrivals) return arrivals[2 * n + side];
        return 0;
    }

    std::uint64_t table_arrival(std::uint64_t i) const {
        if constexpr (kArrivals) return arrivals_[i];
        return 0;
    }

    // The highs' ring in [0, n), the lows' in [n, 2n), their tables in [2n, 3n) and
    // [3n, 4n), then the highest and lowest that the rare path folded; the arrivals of
    // the table entries, highs then lows, then those of the two folded extremes.
    std::vector<double> values_;
    std::vector<std::uint64_t> arrivals_;
    // The answers and the recent folds lie apart, between the counters: side by side,
    // the compiler would pack them into one vector register and unpack them on every
    // push.
    Kept high_kept_;
    std::uint64_t count_ = 0;
    Kept low_kept_;
    std::uint64_t slot_ = 0;  // where the next value goes; the oldest once full
    Kept high_recent_;        // the fold of the values since the last rebuild
    std::uint64_t settle_;    // from this push on, the window is full and holds no NaN
    Kept low_recent_;
    std::uint64_t next_event_ = 1;  // the push that takes the rare path next
    std::uint64_t period_;
    // Room for the folds of `run`, taken at its first call.
    std::vector<double> block_;
};

// Highest and lowest of the last n values, each with the arrival that holds it (the
// front of the policy's queue): the ring and its table for a window of kScanFrom to
// kScanUpTo values, the queues otherwise. Measured over 50,000 bars of a smooth price
// series, the ring costs about 3.6 ns a push at 14 values and 3.1 at 30 against the
// queues' 10; below 5 values its rebuild, due every n - 1 pushes, costs more than the
// queues' pops. While a NaN is in the window the ring folds the whole window on every
// push (about 2.4 ns a value), which bounds the window it is given.
//
// An owner whose values are never NaN (the highs and lows of accepted candles, accepted
// closes) says so, and keeps the ring up to kScanNumbersUpTo values: a window free of
// NaN costs the ring O(1) a push at any length. (Were a NaN to come all the same, the
// answers would stay exact, only slower while it is in the window.)
enum class ExtremeInputs : std::uint8_t { MayBeNaN, NeverNaN };

template <class MaxPolicy, class MinPolicy, bool kArrivals = false>
class WindowExtremes {
public:
    static constexpr std::uint64_t kScanFrom = 5;
    static constexpr std::uint64_t kScanUpTo = 30;
    // Where the ring, four values a slot, stops being worth its memory.
    static constexpr std::uint64_t kScanNumbersUpTo = 4096;

    // n is at least 1 and already bounded by the owner.
    explicit WindowExtremes(std::uint64_t n, ExtremeInputs inputs = ExtremeInputs::MayBeNaN)
        : scanned_(scans(n, inputs) ? n : 1), queues_(scans(n, inputs) ? nullptr : std::make_unique<Queues>(n)) {}

    WindowExtremes(const WindowExtremes& other)
        : scanned_(other.scanned_), queues_(other.queues_ ? std::make_unique<Queues>(*other.queues_) : nullptr) {}
    WindowExtremes& operator=(const WindowExtremes& other) {
        if (this != &other) *this = WindowExtremes(other);
        return *this;
    }
    WindowExtremes(WindowExtremes&&) noexcept = default;
    WindowExtremes& operator=(WindowExtremes&&) noexcept = default;

    // Enters `hi` among the highs and `lo` among the lows as one arrival (pass the
    // same value twice to track one series).
    [[gnu::always_inline]] void push(double hi, double lo) {
        if (!queues_) [[likely]] {
            scanned_.push(hi, lo);
        } else {
            push_queues(queues_.get(), hi, lo);
        }
    }

    // All need at least one push.
    double highest() const { return queues_ ? queues_->highest() : scanned_.highest(); }
    double lowest() const { return queues_ ? queues_->lowest() : scanned_.lowest(); }
    // Arrivals since the one that holds the highest (lowest): 0 for the newest.
    std::uint64_t highest_age() const
        requires kArrivals
    {
        return queues_ ? queues_->count() - queues_->highest_arrival() : scanned_.count() - scanned_.highest_arrival();
    }
    std::uint64_t lowest_age() const
        requires kArrivals
    {
        return queues_ ? queues_->count() - queues_->lowest_arrival() : scanned_.count() - scanned_.lowest_arrival();
    }

    // Pushes a run of values at once and writes answer(k, highest, lowest) of the
    // window ending at value k to out[k], as pushing them one by one would (ScannedExtremes::run);
    // answers false, with nothing changed, where it cannot: a window kept by the
    // queues, one not yet full, a short run or one holding a value that is not finite.
    template <class Answer>
    [[gnu::always_inline]] bool run(const double* hi, const double* lo, std::size_t count, double* out,
                                    Answer answer)
        requires(!kArrivals)
    {
        return !queues_ && scanned_.run(hi, lo, count, out, answer);
    }

    // Whether `run` can take a run at all: the window is not kept by the queues.
    bool takes_runs() const { return !queues_; }

    // Arrivals so far, capped at n: how full the window is.
    std::uint64_t size() const { return queues_ ? queues_->size() : scanned_.size(); }
    bool full() const { return queues_ ? queues_->full() : scanned_.full(); }
    std::uint64_t period() const { return queues_ ? queues_->period() : scanned_.period(); }

private:
    using Queues = QueueExtremes<MaxPolicy, MinPolicy>;
    static bool scans(std::uint64_t n, ExtremeInputs inputs) {
        return n >= kScanFrom && n <= (inputs == ExtremeInputs::NeverNaN ? kScanNumbersUpTo : kScanUpTo);
    }
    // Out of the owner's loop, and given only the queues' own address, so that the
    // short window's state there can stay in registers.
    [[gnu::noinline]] static void push_queues(Queues* queues, double hi, double lo) { queues->push(hi, lo); }

    // The short window's state lives in the object, so that an owner's hot loop can
    // hold it in registers; the queues of a long one are reached through a pointer.
    ScannedExtremes<MaxPolicy, MinPolicy, kArrivals> scanned_;
    std::unique_ptr<Queues> queues_;  // null for a short window
};

// Among equal extremes (such as -0.0 and +0.0) the oldest in the window: for NaN-free
// windows, the answers of a scan folded from the oldest value with strict comparisons.
using SlidingExtremes = WindowExtremes<BelowIncoming, AboveIncoming>;
// The same by the queues alone, for the owners that ask whether a given bar holds the
// only extreme (only_highest, only_lowest).
using QueueSlidingExtremes = QueueExtremes<BelowIncoming, AboveIncoming>;
// Among equal extremes the newest.
using NewestExtremes = WindowExtremes<NotAboveIncoming, NotBelowIncoming>;
// The same with how many arrivals back each extreme stands (highest_age, lowest_age).
using NewestExtremesAndAges = WindowExtremes<NotAboveIncoming, NotBelowIncoming, true>;

}  // namespace torvex
