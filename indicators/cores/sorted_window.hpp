// A window of the last n values kept both in arrival order and in ascending IEEE
// 754 total order, with the type-7 quantile, counts by bisection and the order
// statistics of the absolute deviations from a centre.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <span>
#include <utility>
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
    // oldest when n values are held; answers the evicted value. A full window moves
    // only the values between the leaving one's place and the new one's.
    std::optional<double> push(double x);

    // First position in the sorted view whose key is not below v's key.
    std::size_t lower_bound(double v) const;

    // How many held values are below v, and not above v, by the ordinary comparison
    // (-0.0 and +0.0 count as equal); v is not NaN, and neither is any held value.
    std::size_t count_below(double v) const;
    std::size_t count_not_above(double v) const;

    // The same two counts for the newest value, from the place it went in (before
    // its equals), so without a search unless it is a zero; the window is not empty.
    struct Rank {
        std::size_t below;
        std::size_t not_above;
    };
    Rank rank_of_newest() const;

    // Type-7 quantile at level q over the sorted view; the window must not be empty.
    double quantile(double q) const { return quantile_of(sorted_, q); }

    // The same quantile over any ascending list that is not empty.
    static double quantile_of(std::span<const double> sorted, double q);

    // The middle value of an ascending list that is not empty, or the midpoint of the
    // two middle ones.
    static double median_of(std::span<const double> sorted);

    // Clears `out` and fills it with |v − c| for every v of `sorted` (ascending),
    // in ascending order, merging outward from c's position in linear time.
    static void abs_deviations(std::span<const double> sorted, double c, std::vector<double>& out);

    // The type-7 quantile at level q, and the median as median_of takes it, of the
    // list abs_deviations would give for the sorted view, bit for bit, without
    // building it; the window must not be empty. Logarithmic in the window.
    double abs_deviation_quantile(double c, double q) const;
    double abs_deviation_median(double c) const;

    std::span<const double> sorted() const { return sorted_; }
    const FixedRing<double>& values() const { return values_; }  // oldest first
    std::size_t size() const { return values_.size(); }
    std::uint64_t capacity() const { return capacity_; }
    bool full() const { return values_.size() == capacity_; }
    bool empty() const { return values_.empty(); }

private:
    explicit SortedWindow(std::uint64_t n);

    std::size_t first_key_at_least(std::int64_t key) const;
    // First position from `from` on whose key is above `key`, no key before `from`
    // being above it. Gallops, so a short run of equals costs a probe or two.
    std::size_t first_key_above(std::int64_t key, std::size_t from) const;
    // The places of two keys by one bisection walk, the two searches side by side.
    std::pair<std::size_t, std::size_t> first_keys_at_least(std::int64_t a, std::int64_t b) const;

    // Where the type-7 quantile of m sorted values falls: index lo and the fraction
    // towards lo + 1, or the last value alone.
    struct QuantileAt {
        std::size_t lo;
        double frac;
        bool last;
    };
    static QuantileAt quantile_at(std::size_t m, double q);
    static double interpolate(double lo, double hi, double frac) { return lo + (hi - lo) * frac; }

    // Entries k and k + 1 (when there is one) of the ascending |v − c| list.
    struct DeviationPair {
        double at;
        double next;
    };
    DeviationPair abs_deviation_pair(double c, std::size_t k) const;

    FixedRing<double> values_;
    std::vector<double> sorted_;
    std::uint64_t capacity_;
    std::size_t newest_at_ = 0;  // where the last push placed its value in sorted_
};

}  // namespace torvex
