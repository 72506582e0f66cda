// The price grid of a window of bars, shared by the profile indicators: B equal bins
// from the lowest low to the highest high. A bar covers every bin from the bin of its
// low to the bin of its high, both included.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "indicators/bar.hpp"
#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

// The bin of a price x whose quotient (x - lo) / width lies within rounding of a whole
// number: the floor of (x - lo)·bins / (hi - lo) in integers of the grid the three
// prices are written on, capped at bins - 1; `k` (the truncated quotient) where they
// fit no such integers. Taken out of line, and by value, so that the grid of the
// usual path stays in registers.
[[gnu::noinline]] std::size_t exact_bin(double lo, double hi, std::uint64_t bins, double price, std::int64_t k);

class PriceGrid {
public:
    // Folds the window's lowest low and highest high; the width is set only for a
    // positive range.
    static PriceGrid over(const FixedRing<Ohlcv>& bars, std::uint64_t bins);

    // The grid of a range already known: lo and hi the window's lowest low and
    // highest high.
    static PriceGrid of_range(double lo, double hi, std::uint64_t bins) {
        const double count = static_cast<double>(static_cast<std::int64_t>(bins));  // bins < 2^63
        const double range = hi - lo;
        const double width = range > 0.0 ? range / count : 0.0;
        // The prices as written lie within half a unit in the last place of the
        // doubles, so each difference within a unit of the larger magnitude m: the
        // quotient moves by at most 2·ulp(m)/width from that, and by at most four
        // roundings of itself (below bins) from its own three operations. Twice both.
        double near = 0.0;
        if (range > 0.0) {
            const double m = std::max(std::fabs(lo), std::fabs(hi));
            near = 0x1p-50 * (m / width + count);
            // A grid finer than the prices' rounding decides every bin as written.
            if (!(near < 1.0)) near = 1.0;
        }
        return PriceGrid(lo, hi, range, width, count, bins, near);
    }

    bool has_range() const { return range_ > 0.0; }
    double lo() const { return lo_; }
    double hi() const { return hi_; }
    double width() const { return width_; }
    // lo + k·w, the lower edge of bin k (k = bins gives the top edge of the last bin).
    // A bin below 2^63 converts as a signed integer, in one instruction.
    double edge(std::size_t k) const { return lo_ + static_cast<double>(static_cast<std::int64_t>(k)) * width_; }
    // lo + (k + 0.5)·w, the centre of bin k.
    double centre(std::size_t k) const {
        return lo_ + (static_cast<double>(static_cast<std::int64_t>(k)) + 0.5) * width_;
    }

    // floor((x - lo) / width) as an unsigned bin: negative (or NaN) gives 0, and the
    // highest high lands in the last bin, not one past it. Only with a positive range.
    // A quotient in (0, bins) truncates to its floor, so no rounding call is needed.
    // Prices are decimals, and a price on a bin edge in its decimals has a quotient
    // within rounding of a whole number, which may fall on either side of it: such a
    // quotient is decided on the prices as written, out of line.
    std::size_t bin_of(double price) const {
        const double q = (price - lo_) / width_;
        if (!(q > 0.0)) return 0;
        if (q >= top_) return static_cast<std::size_t>(bins_ - 1);
        // Truncated a rounding bound below and above: the same bin unless a whole
        // number lies within rounding of q.
        const auto k = static_cast<std::int64_t>(q + near_);  // q < bins <= 2^63
        if (static_cast<std::int64_t>(q - near_) != k) [[unlikely]]
            return exact_bin(lo_, hi_, bins_, price, static_cast<std::int64_t>(q));
        return static_cast<std::size_t>(k);
    }

private:
    PriceGrid(double lo, double hi, double range, double width, double count, std::uint64_t bins, double near)
        : lo_(lo), hi_(hi), range_(range), width_(width), top_(count), near_(near), bins_(bins) {}

    double lo_;
    double hi_;
    double range_;
    double width_;
    double top_;   // bins as a double
    double near_;  // a bound on the distance between the quotient and its exact value
    std::uint64_t bins_;
};

// The volume profile of the window into `profile` (B zeros first; its storage is the
// caller's, reserved once): with a positive range every bar with volume, oldest first,
// spreads its volume evenly over the bins it covers.
void fill_volume_profile(const PriceGrid& grid, const FixedRing<Ohlcv>& bars, std::uint64_t bins,
                         std::vector<double>& profile);

// The time-at-price profile of the window into `profile`: with a positive range every
// bar, whatever its volume, adds 1.0 to each bin it covers.
void fill_time_profile(const PriceGrid& grid, const FixedRing<Ohlcv>& bars, std::uint64_t bins,
                       std::vector<double>& profile);

// The first bin holding the largest value: ties go to the lowest-priced bin, and an
// all-zero profile gives bin 0.
std::size_t point_of_control(const std::vector<double>& profile);

// The bins lo..hi (both included) of a value area.
struct BinSpan {
    std::size_t lo;
    std::size_t hi;
};

// Grows the area from the point of control one bin at a time until it holds at least
// `fraction` of the profile's total: the neighbour with the larger amount is taken,
// a tie going to the bin above; the growth stops as soon as the target is reached or
// no neighbour is left.
BinSpan value_area(const std::vector<double>& profile, std::size_t poc, double fraction);

// The low-volume node: the first bin whose amount is the smallest of the amounts
// above zero; `fallback` when no bin holds any.
std::size_t low_volume_node(const std::vector<double>& profile, std::size_t fallback);

}  // namespace torvex
