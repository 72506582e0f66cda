#include "indicators/cores/price_grid.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "indicators/cores/exact_gram.hpp"

namespace torvex {

PriceGrid PriceGrid::over(const FixedRing<Ohlcv>& bars, std::uint64_t bins) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    bars.for_each([&](const Ohlcv& b) {
        lo = std::min(lo, b.low);
        hi = std::max(hi, b.high);
    });
    return of_range(lo, hi, bins);
}

namespace {

struct GridIntegers {
    std::int64_t lo, hi, x;
};

// The three prices in integers of the grid they are written on: the fewest decimal
// places that hold all three, else the column grid (binary where no decimals hold
// them); nothing where those exceed 62 bits.
std::optional<GridIntegers> grid_integers(double lo, double hi, double x) {
    for (int d = 0; d <= ColumnGrid::kMaxDecimals; ++d) {
        const auto l = decimal_units(lo, d);
        if (!l) continue;
        const auto h = decimal_units(hi, d);
        if (!h) continue;
        if (const auto p = decimal_units(x, d)) return GridIntegers{*l, *h, *p};
    }
    ColumnGrid grid;
    grid.add(lo);
    grid.add(hi);
    grid.add(x);
    if (grid.decimals > 0) return GridIntegers{grid.integer(lo), grid.integer(hi), grid.integer(x)};
    if (grid.binary.bits() > 62) return std::nullopt;
    const auto at = [&](double v) { return static_cast<std::int64_t>(std::ldexp(v, -grid.binary.low)); };
    return GridIntegers{at(lo), at(hi), at(x)};
}

}  // namespace

std::size_t exact_bin(double lo, double hi, std::uint64_t bins, double price, std::int64_t k) {
    const std::optional<GridIntegers> g = grid_integers(lo, hi, price);
    if (!g) return static_cast<std::size_t>(k);
    const __int128 num = static_cast<__int128>(g->x - g->lo) * static_cast<__int128>(bins);
    if (num <= 0) return 0;
    const __int128 bin = num / static_cast<__int128>(g->hi - g->lo);
    return bin >= static_cast<__int128>(bins) ? static_cast<std::size_t>(bins - 1) : static_cast<std::size_t>(bin);
}

void fill_volume_profile(const PriceGrid& grid, const FixedRing<Ohlcv>& bars, std::uint64_t bins,
                         std::vector<double>& profile) {
    profile.assign(bins, 0.0);
    if (!grid.has_range()) return;
    bars.for_each([&](const Ohlcv& b) {
        if (b.volume == 0.0) return;
        const std::size_t first = grid.bin_of(b.low);
        const std::size_t last = grid.bin_of(b.high);
        const double share = b.volume / static_cast<double>(static_cast<std::int64_t>(last - first + 1));
        for (std::size_t i = first; i <= last; ++i) profile[i] += share;
    });
}

void fill_time_profile(const PriceGrid& grid, const FixedRing<Ohlcv>& bars, std::uint64_t bins,
                       std::vector<double>& profile) {
    profile.assign(bins, 0.0);
    if (!grid.has_range()) return;
    bars.for_each([&](const Ohlcv& b) {
        const std::size_t last = grid.bin_of(b.high);
        for (std::size_t i = grid.bin_of(b.low); i <= last; ++i) profile[i] += 1.0;
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

BinSpan value_area(const std::vector<double>& profile, std::size_t poc, double fraction) {
    double total = 0.0;
    for (double a : profile) total += a;
    const double target = total * fraction;
    BinSpan area{poc, poc};
    double acc = profile[poc];
    while (acc < target) {
        const bool up = area.hi + 1 < profile.size();
        const bool down = area.lo > 0;
        if (!up && !down) break;
        if (up && (!down || profile[area.hi + 1] >= profile[area.lo - 1])) {
            area.hi += 1;
            acc += profile[area.hi];
        } else {
            area.lo -= 1;
            acc += profile[area.lo];
        }
    }
    return area;
}

std::size_t low_volume_node(const std::vector<double>& profile, std::size_t fallback) {
    std::size_t at = fallback;
    double least = std::numeric_limits<double>::infinity();
    bool found = false;
    for (std::size_t i = 0; i < profile.size(); ++i) {
        const double a = profile[i];
        if (a > 0.0 && (!found || a < least)) {
            least = a;
            at = i;
            found = true;
        }
    }
    return at;
}

}  // namespace torvex
