#include "indicators/cores/price_grid.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "indicators/numeric.hpp"

namespace torvex {

PriceGrid PriceGrid::over(const FixedRing<Ohlcv>& bars, std::uint64_t bins) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    bars.for_each([&](const Ohlcv& b) {
        lo = std::min(lo, b.low);
        hi = std::max(hi, b.high);
    });
    const double range = hi - lo;
    const double width = range > 0.0 ? range / static_cast<double>(bins) : 0.0;
    return PriceGrid(lo, range, width, bins);
}

std::size_t PriceGrid::bin_of(double price) const {
    const std::uint64_t bin = saturating_u64(std::floor((price - lo_) / width_));
    return static_cast<std::size_t>(std::min(bin, bins_ - 1));
}

void fill_volume_profile(const PriceGrid& grid, const FixedRing<Ohlcv>& bars, std::uint64_t bins,
                         std::vector<double>& profile) {
    profile.assign(bins, 0.0);
    if (!grid.has_range()) return;
    bars.for_each([&](const Ohlcv& b) {
        if (b.volume == 0.0) return;
        const std::size_t first = grid.bin_of(b.low);
        const std::size_t last = grid.bin_of(b.high);
        const double share = b.volume / static_cast<double>(last - first + 1);
        for (std::size_t i = first; i <= last; ++i) profile[i] += share;
    });
}

std::size_t point_of_control(const std::vector<double>& profile) {
    double best = -std::numeric_limits<double>::infinity();
    std::size_t at = 0;
    for (std::size_t i = 0; i < profile.size(); ++i) {
        if (profile[i] > best) {
            best = profile[i];
            at = i;
        }
    }
    return at;
}

}  // namespace torvex
