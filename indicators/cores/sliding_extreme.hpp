// The largest (or smallest) of the values pushed within the last span of sequence
// numbers, by a monotonic queue: amortised O(1) per push, exact (values are only
// compared, never combined). Storage for `capacity` entries is allocated once.
#pragma once

#include <cassert>
#include <cstdint>
#include <memory>
#include <optional>

namespace torvex {

enum class Extreme : std::uint8_t { Largest, Smallest };

template <Extreme Which>
class SlidingExtreme {
public:
    // capacity >= 1: the most entries alive at once (the span of the window).
    explicit SlidingExtreme(std::uint64_t capacity)
        : slots_(std::make_unique_for_overwrite<Entry[]>(capacity)), capacity_(capacity) {
        assert(capacity > 0);
    }

    // Drops the entries pushed before sequence number `first`.
    void expire_before(std::uint64_t first) {
        while (size_ > 0 && slots_[head_].seq < first) {
            head_ = wrap(head_ + 1);
            size_ -= 1;
        }
    }

    // Adds v under sequence number seq (increasing from push to push); entries that
    // can no longer be the extreme leave first, so a value tied with a newer one
    // gives way to it.
    void push(std::uint64_t seq, double v) {
        while (size_ > 0 && !beats(slots_[wrap(head_ + size_ - 1)].value, v)) size_ -= 1;
        assert(size_ < capacity_);
        slots_[wrap(head_ + size_)] = Entry{seq, v};
        size_ += 1;
    }

    // The extreme of the live entries, or nothing when none is alive.
    std::optional<double> value() const {
        if (size_ == 0) return std::nullopt;
        return slots_[head_].value;
    }

private:
    struct Entry {
        std::uint64_t seq;
        double value;
    };
    static bool beats(double kept, double v) { return Which == Extreme::Largest ? kept > v : kept < v; }
    std::uint64_t wrap(std::uint64_t i) const { return i >= capacity_ ? i - capacity_ : i; }

    std::unique_ptr<Entry[]> slots_;
    std::uint64_t capacity_;
    std::uint64_t head_ = 0;
    std::uint64_t size_ = 0;
};

}  // namespace torvex
