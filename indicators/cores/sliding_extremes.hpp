// The highest and the lowest of the last n pairs pushed, and where in the window
// they stand, in O(1) amortised per push: each side keeps the candidates that no
// newer value has matched or beaten, so the front of each is the extreme. On ties
// the newest value wins.
#pragma once

#include <cstdint>
#include <vector>

namespace torvex {

class SlidingExtremes {
public:
    // The owner has bounded n (at least 1).
    explicit SlidingExtremes(std::uint64_t n) : highs_(n), lows_(n), period_(n) {}

    void push(double high, double low) {
        highs_.push(seq_, high, [](double kept, double v) { return kept <= v; }, period_);
        lows_.push(seq_, low, [](double kept, double v) { return kept >= v; }, period_);
        seq_ += 1;
    }

    // Pairs pushed so far, and whether a whole window of n is in.
    std::uint64_t count() const { return seq_; }
    bool full() const { return seq_ >= period_; }

    double highest() const { return highs_.front().value; }
    double lowest() const { return lows_.front().value; }
    // Position in the window: 0 is the oldest pair held, the newest is held − 1.
    std::uint64_t highest_at() const { return highs_.front().seq - oldest_seq(); }
    std::uint64_t lowest_at() const { return lows_.front().seq - oldest_seq(); }

private:
    struct Entry {
        std::uint64_t seq;
        double value;
    };

    // A double-ended queue of candidates over a buffer of n entries.
    class Candidates {
    public:
        explicit Candidates(std::uint64_t n) : buf_(n), capacity_(n) {}

        // Drops the candidate that leaves the window, then every candidate that v
        // matches or beats, then appends v.
        template <class Beaten>
        void push(std::uint64_t seq, double v, Beaten beaten, std::uint64_t n) {
            if (size_ > 0 && seq - front().seq >= n) {
                head_ = wrap(head_ + 1);
                size_ -= 1;
            }
            while (size_ > 0 && beaten(buf_[wrap(head_ + size_ - 1)].value, v)) size_ -= 1;
            buf_[wrap(head_ + size_)] = Entry{seq, v};
            size_ += 1;
        }

        const Entry& front() const { return buf_[head_]; }

    private:
        std::uint64_t wrap(std::uint64_t i) const { return i >= capacity_ ? i - capacity_ : i; }

        std::vector<Entry> buf_;
        std::uint64_t capacity_;
        std::uint64_t head_ = 0;
        std::uint64_t size_ = 0;
    };

    std::uint64_t oldest_seq() const { return seq_ > period_ ? seq_ - period_ : 0; }

    Candidates highs_;
    Candidates lows_;
    std::uint64_t period_;
    std::uint64_t seq_ = 0;
};

}  // namespace torvex
