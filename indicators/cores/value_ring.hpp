// A window of the last n values in arrival order, kept in storage reserved once at
// construction: the ring that rolling measures keep instead of a double-ended queue,
// so that sliding the window never allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace torvex {

class ValueRing {
public:
    // Reserves room for `capacity` values (the owner has bounded it by MAX_PERIOD);
    // the storage is filled only as values arrive.
    explicit ValueRing(std::uint64_t capacity) : capacity_(capacity) { values_.reserve(capacity); }

    // Appends x; once `capacity` values are held the oldest leaves first and is
    // answered, so that the owner can take it out of its running sums.
    std::optional<double> push(double x) {
        if (values_.size() < capacity_) {
            values_.push_back(x);
            return std::nullopt;
        }
        const double oldest = values_[head_];
        values_[head_] = x;
        head_ = head_ + 1 == values_.size() ? 0 : head_ + 1;
        return oldest;
    }

    // The i-th value held, oldest first (i below size()).
    double operator[](std::size_t i) const {
        const std::size_t at = head_ + i;
        return values_[at >= values_.size() ? at - values_.size() : at];
    }

    std::size_t size() const { return values_.size(); }
    bool full() const { return values_.size() == capacity_; }
    std::uint64_t capacity() const { return capacity_; }

    // Iteration oldest first.
    class Iterator {
    public:
        Iterator(const ValueRing* ring, std::size_t i) : ring_(ring), i_(i) {}
        double operator*() const { return (*ring_)[i_]; }
        Iterator& operator++() {
            i_ += 1;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return i_ != other.i_; }

    private:
        const ValueRing* ring_;
        std::size_t i_;
    };
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, values_.size()}; }

private:
    std::vector<double> values_;
    std::uint64_t capacity_;
    std::size_t head_ = 0;  // position of the oldest value once full
};

}  // namespace torvex
