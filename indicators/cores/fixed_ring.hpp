// A first-in first-out store of at most `capacity` values, allocated once when it is
// made: pushing onto a full ring hands back the value that leaves. No allocation
// after construction, and the pages of a long ring are only touched as it fills.
#pragma once

#include <cassert>
#include <cstdint>
#include <memory>
#include <optional>

namespace torvex {

template <class T>
class FixedRing {
public:
    // capacity >= 1; the owner bounds it (check_period) before it gets here.
    explicit FixedRing(std::uint64_t capacity)
        : slots_(std::make_unique_for_overwrite<T[]>(capacity)), capacity_(capacity) {
        assert(capacity > 0);
    }

    // Appends x; when the ring was full the oldest value leaves and is returned.
    std::optional<T> push(const T& x) {
        if (size_ < capacity_) {
            slots_[wrap(head_ + size_)] = x;
            size_ += 1;
            return std::nullopt;
        }
        std::optional<T> evicted(std::move(slots_[head_]));
        slots_[head_] = x;
        head_ = wrap(head_ + 1);
        return evicted;
    }

    // Appends x to a ring that is not full.
    void push_back(const T& x) {
        assert(size_ < capacity_);
        slots_[wrap(head_ + size_)] = x;
        size_ += 1;
    }

    // Takes the oldest value out (the ring must not be empty).
    void drop_oldest() {
        assert(size_ > 0);
        head_ = wrap(head_ + 1);
        size_ -= 1;
    }

    void clear() {
        head_ = 0;
        size_ = 0;
    }

    // The i-th value counted from the oldest (i < size()).
    const T& operator[](std::uint64_t i) const {
        assert(i < size_);
        return slots_[wrap(head_ + i)];
    }
    const T& newest() const { return (*this)[size_ - 1]; }
    const T& from_oldest(std::uint64_t i) const { return (*this)[i]; }
    // The k-th value counted back from the newest (k < size()).
    const T& from_newest(std::uint64_t k) const { return (*this)[size_ - 1 - k]; }

    // Calls f on every value from the oldest to the newest.
    template <class F>
    void for_each(F&& f) const {
        const std::uint64_t first_run = capacity_ - head_ < size_ ? capacity_ - head_ : size_;
        for (std::uint64_t i = 0; i < first_run; ++i) f(slots_[head_ + i]);
        for (std::uint64_t i = 0; i < size_ - first_run; ++i) f(slots_[i]);
    }

    std::uint64_t size() const { return size_; }
    std::uint64_t capacity() const { return capacity_; }
    bool full() const { return size_ == capacity_; }

private:
    std::uint64_t wrap(std::uint64_t i) const { return i >= capacity_ ? i - capacity_ : i; }

    std::unique_ptr<T[]> slots_;
    std::uint64_t capacity_;
    std::uint64_t head_ = 0;  // slot of the oldest value
    std::uint64_t size_ = 0;
};

// The values re-added from the oldest to the newest, starting from -0.0: the sum of
// a window that keeps no running sum.
inline double sum_from_oldest(const FixedRing<double>& ring) {
    double sum = -0.0;
    ring.for_each([&](double v) { sum += v; });
    return sum;
}

}  // namespace torvex
