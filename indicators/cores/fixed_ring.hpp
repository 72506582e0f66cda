// A first-in first-out ring of fixed capacity for windows of bars or values. The
// storage is reserved once at construction and filled in place, so no update
// allocates, and the pages of a long window are only touched as bars arrive.
#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

namespace torvex {

template <class T>
class FixedRing {
public:
    // capacity >= 1, bounded by the owner before it gets here.
    explicit FixedRing(std::size_t capacity) : capacity_(capacity) {
        assert(capacity_ > 0);
        slots_.reserve(capacity_);
    }

    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }
    bool full() const { return size_ == capacity_; }

    // Appends v; the ring must not be full.
    void push_back(const T& v) {
        assert(size_ < capacity_);
        const std::size_t at = wrap(head_ + size_);
        if (at == slots_.size()) {
            slots_.push_back(v);  // within the reserved storage: never reallocates
        } else {
            slots_[at] = v;
        }
        ++size_;
    }

    // Drops the oldest value; the ring must not be empty.
    void drop_oldest() {
        assert(size_ > 0);
        head_ = wrap(head_ + 1);
        --size_;
    }

    void clear() {
        head_ = 0;
        size_ = 0;
    }

    // The i-th value from the oldest (0 = oldest).
    const T& from_oldest(std::size_t i) const {
        assert(i < size_);
        return slots_[wrap(head_ + i)];
    }

    // The value k places before the newest (0 = newest).
    const T& from_newest(std::size_t k) const {
        assert(k < size_);
        return from_oldest(size_ - 1 - k);
    }

    // Visits the values from the oldest to the newest.
    template <class F>
    void for_each(F&& f) const {
        for (std::size_t i = 0; i < size_; ++i) f(slots_[wrap(head_ + i)]);
    }

private:
    std::size_t wrap(std::size_t i) const { return i < capacity_ ? i : i - capacity_; }

    std::vector<T> slots_;
    std::size_t capacity_;
    std::size_t head_ = 0;
    std::size_t size_ = 0;
};

// The values re-added from the oldest to the newest, starting from -0.0: the sum of
// a window that keeps no running sum.
inline double sum_from_oldest(const FixedRing<double>& ring) {
    double sum = -0.0;
    ring.for_each([&](double v) { sum += v; });
    return sum;
}

}  // namespace torvex
