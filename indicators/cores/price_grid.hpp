// The price grid of a window of bars, shared by the profile indicators: B equal bins
// from the lowest low to the highest high. A bar covers every bin from the bin of its
// low to the bin of its high, both included.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "indicators/bar.hpp"
#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

class PriceGrid {
public:
    // Folds the window's lowest low and highest high; the width is set only for a
    // positive range.
    static PriceGrid over(const FixedRing<Ohlcv>& bars, std::uint64_t bins);

    bool has_range() const { return range_ > 0.0; }
    double lo() const { return lo_; }
    double width() const { return width_; }

    // floor((x - lo) / width) as an unsigned bin: negative (or NaN) gives 0, and the
    // highest high lands in the last bin, not one past it. Only with a positive range.
    std::size_t bin_of(double price) const;

private:
    PriceGrid(double lo, double range, double width, std::uint64_t bins)
        : lo_(lo), range_(range), width_(width), bins_(bins) {}

    double lo_;
    double range_;
    double width_;
    std::uint64_t bins_;
};

// The volume profile of the window into `profile` (B zeros first; its storage is the
// caller's, reserved once): with a positive range every bar with volume, oldest first,
// spreads its volume evenly over the bins it covers.
void fill_volume_profile(const PriceGrid& grid, const FixedRing<Ohlcv>& bars, std::uint64_t bins,
                         std::vector<double>& profile);

// The first bin holding the largest value: ties go to the lowest-priced bin, and an
// all-zero profile gives bin 0.
std::size_t point_of_control(const std::vector<double>& profile);

}  // namespace torvex
