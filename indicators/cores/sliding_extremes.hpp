// Extremes of the last n values in amortised O(1) per value, by monotone queues of
// (arrival number, value) kept in a ring allocated once.
//
// ExtremeQueue is the one queue; its policy `GivesWay(kept, incoming)` says when the
// newest kept entry leaves for an incoming value. A strict policy (kept < incoming
// for a maximum) keeps the oldest of equal extremes, a non-strict one the newest; the
// two differ for values that compare equal but are not the same (-0.0 and +0.0), and
// NaN handling follows from the comparison chosen.
#pragma once

#include <cstddef>
#include <cstdint>

#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

// Policies for a maximum queue (the minimum mirrors them).
struct BelowIncoming {  // strict: among equal maxima the oldest stays
    static bool gives_way(double kept, double incoming) { return kept < incoming; }
};
struct AboveIncoming {  // strict: among equal minima the oldest stays
    static bool gives_way(double kept, double incoming) { return kept > incoming; }
};
struct NotAboveIncoming {  // among equal maxima the newest stays
    static bool gives_way(double kept, double incoming) { return kept <= incoming; }
};
struct NotBelowIncoming {  // among equal minima the newest stays
    static bool gives_way(double kept, double incoming) { return kept >= incoming; }
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

    bool empty() const { return entries_.empty(); }
    std::uint64_t size() const { return entries_.size(); }
    // The extreme of the live entries (front) and the later ones in queue order.
    const Entry& front() const { return entries_.front(); }
    const Entry& operator[](std::uint64_t i) const { return entries_[i]; }

private:
    FixedRing<Entry> entries_;
};

// Highest and lowest of the last n values. The answers are exactly those of a scan
// folded from the oldest value with strict comparisons: among equal extremes (such
// as -0.0 and +0.0) the oldest one still in the window is answered.
class SlidingExtremes {
public:
    // n is at least 1 and already bounded by the owner.
    explicit SlidingExtremes(std::uint64_t n) : highs_(n), lows_(n), period_(n) {}

    // Enters `hi` into the maximum queue and `lo` into the minimum queue as one
    // arrival (pass the same value twice to track one series).
    void push(double hi, double lo) {
        count_ += 1;
        // Arrival `seq` has left once seq + n <= count.
        const std::uint64_t first = count_ + 1 > period_ ? count_ + 1 - period_ : 0;
        highs_.expire_front_before(first);
        lows_.expire_front_before(first);
        highs_.push(count_, hi);
        lows_.push(count_, lo);
    }

    // Both need at least one push.
    double highest() const { return highs_.front().value; }
    double lowest() const { return lows_.front().value; }

    // Whether the value that arrived `ago` arrivals before the newest is strictly
    // above (below) every other value of the window: it heads its queue and the
    // next entry, the largest (smallest) of the later values, is strictly lower
    // (higher). Any earlier value at least as high would head the queue instead.
    bool only_highest(std::uint64_t ago) const { return strict_head(highs_, ago, [](double a, double b) { return a < b; }); }
    bool only_lowest(std::uint64_t ago) const { return strict_head(lows_, ago, [](double a, double b) { return a > b; }); }

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

    ExtremeQueue<BelowIncoming> highs_;
    ExtremeQueue<AboveIncoming> lows_;
    std::uint64_t period_;
    std::uint64_t count_ = 0;
};

}  // namespace torvex
