// Highest and lowest of the last n numbers (NaN skipped), kept by two monotonic wedges: O(1)
// amortised per push instead of a scan of the window. A NaN takes its place in the
// window but never becomes an extreme, just as a scan that ignores NaN finds.
#pragma once

#include <cstdint>
#include <vector>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

class NanSkippingExtremes {
public:
    // n checked by the owner (1..MAX_PERIOD); the wedges grow to what the data needs.
    explicit NanSkippingExtremes(std::uint64_t n) : period_(n) {}

    void push(double v);

    // (−inf, +inf) while the window holds no number.
    HiLo hi_lo() const;

    std::uint64_t size() const { return pushed_ < period_ ? pushed_ : period_; }
    bool full() const { return pushed_ >= period_; }

private:
    struct Entry {
        double value;
        std::uint64_t at;  // push index
    };

    // A double-ended ring of entries that doubles its room when full.
    class Wedge {
    public:
        bool empty() const { return len_ == 0; }
        const Entry& front() const { return buf_[head_]; }
        const Entry& back() const { return buf_[wrap(head_ + len_ - 1)]; }
        void pop_front() {
            head_ = wrap(head_ + 1);
            len_ -= 1;
        }
        void pop_back() { len_ -= 1; }
        void push_back(Entry e);

    private:
        std::size_t wrap(std::size_t i) const { return i >= buf_.size() ? i - buf_.size() : i; }

        std::vector<Entry> buf_;
        std::size_t head_ = 0;
        std::size_t len_ = 0;
    };

    Wedge hi_;  // values strictly falling from front to back
    Wedge lo_;  // values strictly rising from front to back
    std::uint64_t period_;
    std::uint64_t pushed_ = 0;
};

}  // namespace torvex
