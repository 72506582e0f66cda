#include "indicators/risk/trend_label.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/exact_gram.hpp"

namespace torvex {

std::expected<TrendLabel, IndicatorError> TrendLabel::create(std::uint64_t n) {
    if (auto ok = check_min_period(n, 2, "trend label needs period >= 2"); !ok) return std::unexpected(ok.error());
    return TrendLabel(n);
}

double TrendLabel::evaluate(const ValueRing& window) const {
    double total = -0.0;
    for (double v : window) total += v;
    const double mean = total / static_cast<double>(period());
    double s = 0.0;
    double i = 0.0;
    for (double v : window) {
        s = s + (i - mid_) * (v - mean);
        i += 1.0;
    }
    // Prices are decimals that doubles hold only to rounding: a window whose sum is
    // within that of 0 is decided on the decimals themselves.
    const double near = near_flat_ * std::fabs(total);
    if (s > near) return 1.0;
    if (s < -near) return -1.0;
    return exact_sign(window, s);
}

double TrendLabel::exact_sign(const ValueRing& window, double s) {
    // Σ (i − mid)·(v − mean) = Σ (i − mid)·v, as Σ (i − mid) = 0: on integers V of the
    // window's grid, the sign of Σ (2i − n + 1)·V. Each term stays below 2^77 and the
    // sum below 2^101.
    const double first = *window.begin();
    if (std::all_of(window.begin(), window.end(), [first](double v) { return v == first; })) return 0.0;
    // Read at a level of [1, 2) for the largest value, scaled by a power of two, so
    // that every price level reads the same grid.
    double largest = 0.0;
    for (double v : window) largest = std::max(largest, std::fabs(v));
    const int e = std::ilogb(largest);
    ColumnGrid grid;
    for (double v : window) grid.add(std::ldexp(v, -e));
    if (grid.decimals == 0 && grid.bits() > 52) return s > 0.0 ? 1.0 : s < 0.0 ? -1.0 : 0.0;
    const auto n = static_cast<std::int64_t>(window.size());
    __int128 total = 0;
    std::int64_t i = 0;
    for (double v : window) {
        const double x = std::ldexp(v, -e);
        const std::int64_t integer =
            grid.decimals > 0 ? grid.integer(x) : static_cast<std::int64_t>(std::ldexp(x, -grid.binary.low));
        total += static_cast<__int128>(2 * i - n + 1) * integer;
        ++i;
    }
    return total > 0 ? 1.0 : total < 0 ? -1.0 : 0.0;
}

}  // namespace torvex
