// A first-in first-out store of at most `capacity` values, allocated once when it is
// made: pushing onto a full ring hands back the value that leaves. No allocation
// after construction, O(1) indexing from either end, and the pages of a long ring
// are only touched as it fills. The one ring every rolling window keeps.
//
// The mirrored layout writes every value twice (slot i and slot i + capacity), so
// the values, oldest first, are always one contiguous span: for the windows that
// hand their history to code reading spans.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <span>

namespace torvex {

enum class RingLayout : std::uint8_t { Plain, Mirrored };

template <class T, RingLayout Layout = RingLayout::Plain>
class FixedRing {
    static constexpr bool kMirrored = Layout == RingLayout::Mirrored;
    static constexpr std::uint64_t kCopies = kMirrored ? 2 : 1;

public:
    // capacity >= 1; the owner bounds it (check_period) before it gets here.
    explicit FixedRing(std::uint64_t capacity)
        : slots_(std::make_unique_for_overwrite<T[]>(kCopies * capacity)), capacity_(capacity) {
        assert(capacity > 0);
    }

    // Copies hold the same values in the same order (only the live slots are read).
    FixedRing(const FixedRing& other)
        : slots_(std::make_unique_for_overwrite<T[]>(kCopies * other.capacity_)), capacity_(other.capacity_) {
        other.for_each([this](const T& v) { push_back(v); });
    }
    FixedRing& operator=(const FixedRing& other) {
        if (this != &other) *this = FixedRing(other);
        return *this;
    }
    FixedRing(FixedRing&&) noexcept = default;
    FixedRing& operator=(FixedRing&&) noexcept = default;

    // Appends x; when the ring was full the oldest value leaves and is returned.
    std::optional<T> push(const T& x) {
        if (size_ < capacity_) {
            store(wrap(head_ + size_), x);
            size_ += 1;
            return std::nullopt;
        }
        std::optional<T> evicted(std::move(slots_[head_]));
        store(head_, x);
        head_ = wrap(head_ + 1);
        return evicted;
    }

    // Appends x to a full ring and hands back the oldest value, which leaves: push
    // without the test and the optional, for the steady state of the hot loops.
    T replace_oldest(const T& x) {
        assert(size_ == capacity_);
        T evicted(std::move(slots_[head_]));
        store(head_, x);
        head_ = wrap(head_ + 1);
        return evicted;
    }

    // Appends x to a ring that is not full.
    void push_back(const T& x) {
        assert(size_ < capacity_);
        store(wrap(head_ + size_), x);
        size_ += 1;
    }

    // Takes the oldest value out (the ring must not be empty).
    void drop_oldest() {
        assert(size_ > 0);
        head_ = wrap(head_ + 1);
        size_ -= 1;
    }
    void pop_front() { drop_oldest(); }

    // Takes the newest value out (the ring must not be empty).
    void pop_back() {
        assert(size_ > 0);
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
    const T& front() const { return (*this)[0]; }
    const T& back() const { return (*this)[size_ - 1]; }
    const T& newest() const { return back(); }
    const T& from_oldest(std::uint64_t i) const { return (*this)[i]; }
    // The k-th value counted back from the newest (k < size()).
    const T& from_newest(std::uint64_t k) const { return (*this)[size_ - 1 - k]; }

    // The values, oldest first, as two spans in storage order: from the oldest slot
    // to the end of the storage, then from its start. Handed by value, they let an
    // out-of-line reader see the window without taking the ring's address.
    struct Runs {
        std::span<const T> first;
        std::span<const T> second;
    };
    [[gnu::always_inline]] Runs runs() const {
        const std::uint64_t first_run = capacity_ - head_ < size_ ? capacity_ - head_ : size_;
        return {{slots_.get() + head_, static_cast<std::size_t>(first_run)},
                {slots_.get(), static_cast<std::size_t>(size_ - first_run)}};
    }

    // Calls f on every value from the oldest to the newest.
    template <class F>
    void for_each(F&& f) const {
        const Runs r = runs();
        for (const T& v : r.first) f(v);
        for (const T& v : r.second) f(v);
    }

    // Copies the values, oldest first, to out (room for size() values).
    template <class Out>
    Out copy_to(Out out) const {
        const Runs r = runs();
        return std::copy(r.second.begin(), r.second.end(), std::copy(r.first.begin(), r.first.end(), out));
    }

    // The values, oldest first, as one span (mirrored layout only).
    std::span<const T> view() const
        requires kMirrored
    {
        return {slots_.get() + head_, static_cast<std::size_t>(size_)};
    }

    std::uint64_t size() const { return size_; }
    std::uint64_t capacity() const { return capacity_; }
    bool empty() const { return size_ == 0; }
    bool full() const { return size_ == capacity_; }

    // Iteration oldest first.
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        const_iterator() = default;
        reference operator*() const { return *at_; }
        pointer operator->() const { return at_; }
        const_iterator& operator++() {
            i_ += 1;
            at_ += 1;
            if (at_ == last_) at_ = first_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator was = *this;
            ++*this;
            return was;
        }
        bool operator==(const const_iterator& other) const { return i_ == other.i_; }

    private:
        friend class FixedRing;
        const_iterator(const T* first, const T* last, const T* at, std::uint64_t i)
            : first_(first), last_(last), at_(at), i_(i) {}

        const T* first_ = nullptr;  // the first slot
        const T* last_ = nullptr;   // one past the last slot of the first copy
        const T* at_ = nullptr;
        std::uint64_t i_ = 0;  // position counted from the oldest value
    };
    const_iterator begin() const { return {slots_.get(), slots_.get() + capacity_, slots_.get() + head_, 0}; }
    const_iterator end() const { return {slots_.get(), slots_.get() + capacity_, slots_.get() + head_, size_}; }

private:
    std::uint64_t wrap(std::uint64_t i) const { return i >= capacity_ ? i - capacity_ : i; }
    void store(std::uint64_t slot, const T& x) {
        slots_[slot] = x;
        if constexpr (kMirrored) slots_[slot + capacity_] = x;
    }

    std::unique_ptr<T[]> slots_;
    std::uint64_t capacity_;
    std::uint64_t head_ = 0;  // slot of the oldest value
    std::uint64_t size_ = 0;
};

// The values re-added from the oldest to the newest, starting from -0.0: the sum of
// a window that keeps no running sum.
//
// The adding is out of line and is handed the storage runs by value: a hot loop that
// re-sums now and then keeps its own state in registers, since neither the ring's nor
// its owner's address is taken for the rare call.
[[gnu::noinline]] inline double sum_of_runs(std::span<const double> first, std::span<const double> second) {
    double sum = -0.0;
    for (const double v : first) sum += v;
    for (const double v : second) sum += v;
    return sum;
}
[[gnu::always_inline]] inline double sum_from_oldest(const FixedRing<double>& ring) {
    const auto runs = ring.runs();
    return sum_of_runs(runs.first, runs.second);
}

}  // namespace torvex
