// A window of the last n values kept both in arrival order and in ascending IEEE
// 754 total order, with the type-7 quantile, counts by bisection and the order
// statistics of the absolute deviations from a centre.
//
// Layout of the sorted view. A short window is one flat ascending array, and a value
// that enters or leaves shifts the values between the two places. A long window is
// cut into blocks of B values (a power of two, about 2·√size, 4·√size once the window
// outgrows the caches; it grows as the window fills), each a small ring with its own
// starting offset: all blocks but the last are full, so rank i is in block i / B at
// offset i mod B, and reading it stays O(1). Moving the values between two places by
// one shifts inside the two end blocks (O(B)) and, in every block between, hands one
// value across the boundary and turns the ring's offset by one (O(1) a block), so a
// push costs O(√n). Equal values keep the order they would have in the flat array,
// which, as equal keys are equal bits, shows in nothing.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/error.hpp"
#include "indicators/numeric.hpp"

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
    std::optional<double> push(double x) {
        if (values_.size() < capacity_) {
            push_filling(x);
            return std::nullopt;
        }
        return push_full(x);
    }

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
    double quantile(double q) const;

    // The middle value of the sorted view, or the midpoint of the two middle ones, as
    // median_of takes it; the window must hold a value.
    double median() const {
        const std::size_t m = size();
        if (m % 2 == 1) return at(m / 2);
        return midpoint(at(m / 2 - 1), at(m / 2));
    }

    // The value of rank i (0 the least) in the sorted view, i below size(); O(1).
    double at(std::size_t i) const { return slots_[flat() ? i : slot_of(i)]; }
    double front() const { return at(0); }
    double back() const { return at(size() - 1); }

    // Calls f(v) for the values of ranks [from, to) in ascending order, a block's run
    // at a time.
    template <class F>
    void for_each_sorted(std::size_t from, std::size_t to, F&& f) const;

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

    // The sorted view as one ascending span, valid until the next push. A short
    // window hands out its array; a long one first turns every block's ring back to
    // offset 0 (O(n), the layout changes and the values do not): for passes over the
    // whole window, where at() and for_each_sorted serve a few ranks.
    std::span<const double> sorted() const;
    const FixedRing<double>& values() const { return values_; }  // oldest first
    std::size_t size() const { return values_.size(); }
    std::uint64_t capacity() const { return capacity_; }
    bool full() const { return values_.size() == capacity_; }
    bool empty() const { return values_.empty(); }

    SortedWindow(const SortedWindow& other);
    SortedWindow& operator=(const SortedWindow& other);
    SortedWindow(SortedWindow&&) noexcept = default;
    SortedWindow& operator=(SortedWindow&&) noexcept = default;

private:
    explicit SortedWindow(std::uint64_t n);

    void push_filling(double x);
    // Evicts the oldest for x and answers it; the window is full.
    double push_full(double x);

    // The flat layout's shift: every rank is in block 0, whose offset stays 0.
    static constexpr unsigned kFlat = 63;

    bool flat() const { return shift_ == kFlat; }
    std::size_t slot_of(std::size_t i) const {
        const std::size_t b = i >> shift_;
        return (b << shift_) | ((offsets_[b] + i) & mask_);
    }
    // Calls f with a view of the sorted values that has operator[] and size(): the
    // array itself in the flat layout, the blocks otherwise.
    template <class F>
    decltype(auto) with_view(F&& f) const;

    // Moves the values of ranks [lo, hi) one rank up and puts x at rank lo; rank hi
    // is free (the leaving value's, or one past the end while filling).
    void shift_up_into(std::size_t lo, std::size_t hi, double x);
    // Moves the values of ranks (lo, hi] one rank down and puts x at rank hi; rank lo
    // is the leaving value's.
    void shift_down_into(std::size_t lo, std::size_t hi, double x);
    // Puts every block's ring back to offset 0, which makes the blocks one array.
    void normalise() const;
    // Sets the block size for `count` values, normalising first.
    void regroup(std::size_t count);
    static unsigned shift_for(std::size_t count);

    // Where the type-7 quantile of m sorted values falls: index lo and the fraction
    // towards lo + 1, or the last value alone.
    struct QuantileAt {
        std::size_t lo;
        double frac;
        bool last;
    };
    static QuantileAt quantile_at(std::size_t m, double q);
    static double interpolate(double lo, double hi, double frac) { return lo + (hi - lo) * frac; }

    FixedRing<double> values_;
    // The sorted values; pages past the filled part are not touched until reached.
    // Mutable because sorted() may turn the rings back to offset 0.
    mutable std::unique_ptr<double[]> slots_;
    mutable std::unique_ptr<std::uint32_t[]> offsets_;  // each block's ring offset
    std::size_t slot_room_;                             // room in slots_
    std::size_t block_count_;                           // room in offsets_
    std::uint64_t capacity_;
    unsigned shift_ = kFlat;
    std::size_t mask_ = ~std::size_t{0};
    std::size_t regroup_above_;  // the size past which the block size grows
    std::size_t newest_at_ = 0;  // the rank the last push gave its value
};

template <class F>
void SortedWindow::for_each_sorted(std::size_t from, std::size_t to, F&& f) const {
    while (from < to) {
        const std::size_t p = slot_of(from);
        // A run ends at the block's end, at its ring's wrap, or at `to`.
        const std::size_t to_wrap = mask_ - (p & mask_), to_end = mask_ - (from & mask_);
        const std::size_t room = flat() ? to - from : (to_wrap < to_end ? to_wrap : to_end) + 1;
        const std::size_t run = room < to - from ? room : to - from;
        for (std::size_t k = 0; k < run; ++k) f(slots_[p + k]);
        from += run;
    }
}

}  // namespace torvex
