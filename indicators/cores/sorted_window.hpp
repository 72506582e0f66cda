// A window of the last n values kept both in arrival order and in ascending IEEE
// 754 total order, with the type-7 quantile and the ordered absolute deviations.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <span>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/error.hpp"

namespace torvex {

// The totalOrder key: -0.0 sorts before +0.0, and two values share a key only
// when they are bitwise identical.
constexpr std::int64_t total_order_key(double v) {
    const std::int64_t b = std::bit_cast<std::int64_t>(v);
    return b ^ static_cast<std::int64_t>(static_cast<std::uint64_t>(b >> 63) >> 1);
}

class SortedWindow {
public:
    // n = 0: InvalidPeriod "window size must be non-zero"; above MAX_PERIOD:
    // InvalidPeriod. Both stores get room for n values up front.
    static std::expected<SortedWindow, IndicatorError> create(std::uint64_t n);

    // Appends x (the owner has refused non-finite values), first evicting the
    // oldest when n values are held; answers the evicted value.
    std::optional<double> push(double x);

    // First position in the sorted view whose key is not below v's key.
    std::size_t lower_bound(double v) const;

    // Type-7 quantile at level q over the sorted view; the window must not be empty.
    double quantile(double q) const { return quantile_of(sorted_, q); }

    // The same quantile over any ascending list that is not empty.
    static double quantile_of(std::span<const double> sorted, double q);

    // Clears `out` and fills it with |v − c| for every v of `sorted` (ascending),
    // in ascending order, merging outward from c's position in linear time.
    static void abs_deviations(std::span<const double> sorted, double c, std::vector<double>& out);

    std::span<const double> sorted() const { return sorted_; }
    const FixedRing<double>& values() const { return values_; }  // oldest first
    std::size_t size() const { return values_.size(); }
    std::uint64_t capacity() const { return capacity_; }
    bool full() const { return values_.size() == capacity_; }
    bool empty() const { return values_.empty(); }

private:
    explicit SortedWindow(std::uint64_t n);

    FixedRing<double> values_;
    std::vector<double> sorted_;
    std::uint64_t capacity_;
};

}  // namespace torvex
