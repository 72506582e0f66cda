// A first-in first-out window of a fixed capacity over one contiguous buffer,
// allocated whole at construction: pushing into a full ring overwrites the oldest
// entry, so no update ever allocates.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace torvex {

template <class T>
class FixedRing {
public:
    // The owner has bounded `capacity` (at least 1) before it gets here.
    explicit FixedRing(std::uint64_t capacity) : buf_(capacity), capacity_(capacity) {}

    // Appends x; when the ring was full the oldest entry leaves and is handed back.
    std::optional<T> push(const T& x) {
        if (size_ == capacity_) {
            T old = buf_[head_];
            buf_[head_] = x;
            head_ = wrap(head_ + 1);
            return old;
        }
        buf_[wrap(head_ + size_)] = x;
        size_ += 1;
        return std::nullopt;
    }

    // Removes the oldest entry; the ring must not be empty.
    void pop_front() {
        head_ = wrap(head_ + 1);
        size_ -= 1;
    }

    // Entry i in arrival order: 0 is the oldest, size() - 1 the newest.
    const T& operator[](std::uint64_t i) const { return buf_[wrap(head_ + i)]; }
    const T& front() const { return buf_[head_]; }
    const T& back() const { return (*this)[size_ - 1]; }

    // Calls fn(entry) for every entry, oldest first.
    template <class Fn>
    void for_each(Fn&& fn) const {
        const std::uint64_t first_run = capacity_ - head_ < size_ ? capacity_ - head_ : size_;
        for (std::uint64_t i = 0; i < first_run; ++i) fn(buf_[head_ + i]);
        for (std::uint64_t i = 0; i < size_ - first_run; ++i) fn(buf_[i]);
    }

    std::uint64_t size() const { return size_; }
    std::uint64_t capacity() const { return capacity_; }
    bool full() const { return size_ == capacity_; }
    bool empty() const { return size_ == 0; }

private:
    std::uint64_t wrap(std::uint64_t i) const { return i >= capacity_ ? i - capacity_ : i; }

    std::vector<T> buf_;
    std::uint64_t capacity_;
    std::uint64_t head_ = 0;  // the oldest entry
    std::uint64_t size_ = 0;
};

// The entries' values (through `value`) added oldest first from 0.0. Owners that
// keep a running sum by adding and subtracting re-sum with it when a value that is
// not finite leaves the window: once an infinity has entered the sum, subtracting
// it again gives NaN, and only a re-sum restores the sum of what the window holds.
template <class T, class Value>
double ring_sum(const FixedRing<T>& ring, Value value) {
    double s = 0.0;
    ring.for_each([&](const T& entry) { s += value(entry); });
    return s;
}

inline double ring_sum(const FixedRing<double>& ring) {
    return ring_sum(ring, [](double v) { return v; });
}

}  // namespace torvex
