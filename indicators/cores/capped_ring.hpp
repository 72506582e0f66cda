// A fixed-capacity ring in arrival order: storage reserved once at construction,
// a push onto a full ring hands back the value it overwrote, and no update allocates.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace torvex {

template <class T>
class CappedRing {
public:
    // `cap` is at least 1 and already bounded by the owner.
    explicit CappedRing(std::size_t cap) : buf_(cap), cap_(cap) {}

    // Appends v; on a full ring the oldest value leaves first and is answered.
    std::optional<T> push(const T& v) {
        if (size_ == cap_) {
            T old = buf_[head_];
            buf_[head_] = v;
            head_ = wrap(head_ + 1);
            return old;
        }
        buf_[wrap(head_ + size_)] = v;
        size_ += 1;
        return std::nullopt;
    }

    // Removes the oldest value; the ring must not be empty.
    void pop_front() {
        head_ = wrap(head_ + 1);
        size_ -= 1;
    }

    // Removes the newest value; the ring must not be empty.
    void pop_back() { size_ -= 1; }

    // Position 0 is the oldest value held.
    const T& operator[](std::size_t i) const { return buf_[wrap(head_ + i)]; }
    const T& front() const { return buf_[head_]; }
    const T& back() const { return buf_[wrap(head_ + size_ - 1)]; }

    // Visits the values from oldest to newest.
    template <class F>
    void for_each(F&& f) const {
        const std::size_t first = (cap_ - head_ < size_) ? cap_ - head_ : size_;
        for (std::size_t i = 0; i < first; ++i) f(buf_[head_ + i]);
        for (std::size_t i = 0; i < size_ - first; ++i) f(buf_[i]);
    }

    std::size_t size() const { return size_; }
    std::size_t capacity() const { return cap_; }
    bool empty() const { return size_ == 0; }
    bool full() const { return size_ == cap_; }

private:
    std::size_t wrap(std::size_t i) const { return i >= cap_ ? i - cap_ : i; }

    std::vector<T> buf_;
    std::size_t cap_;
    std::size_t head_ = 0;
    std::size_t size_ = 0;
};

}  // namespace torvex
