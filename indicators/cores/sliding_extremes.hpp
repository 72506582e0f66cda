// Highest and lowest of the last n values in amortised O(1) per value: two
// monotone queues of (arrival number, value). The answers are exactly those of a
// scan folded from the oldest value with strict comparisons: among equal extremes
// (such as -0.0 and +0.0) the oldest one still in the window is answered.
#pragma once

#include <cstddef>
#include <cstdint>

#include "indicators/cores/capped_ring.hpp"

namespace torvex {

class SlidingExtremes {
public:
    // n is at least 1 and already bounded by the owner.
    explicit SlidingExtremes(std::uint64_t n) : highs_(n), lows_(n), period_(n) {}

    // Enters `hi` into the maximum queue and `lo` into the minimum queue as one
    // arrival (pass the same value twice to track one series).
    void push(double hi, double lo) {
        count_ += 1;
        while (!highs_.empty() && expired(highs_.front().seq)) highs_.pop_front();
        while (!lows_.empty() && expired(lows_.front().seq)) lows_.pop_front();
        while (!highs_.empty() && highs_.back().value < hi) highs_.pop_back();
        while (!lows_.empty() && lows_.back().value > lo) lows_.pop_back();
        highs_.push({count_, hi});
        lows_.push({count_, lo});
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
    struct Entry {
        std::uint64_t seq = 0;
        double value = 0.0;
    };

    template <class Beyond>
    bool strict_head(const CappedRing<Entry>& queue, std::uint64_t ago, Beyond beyond) const {
        if (queue.empty() || ago >= count_ || queue.front().seq != count_ - ago) return false;
        return queue.size() == 1 || beyond(queue[1].value, queue.front().value);
    }

    // Arrival `seq` has left the window of the last n arrivals.
    bool expired(std::uint64_t seq) const { return seq + period_ <= count_; }

    CappedRing<Entry> highs_;
    CappedRing<Entry> lows_;
    std::uint64_t period_;
    std::uint64_t count_ = 0;
};

}  // namespace torvex
