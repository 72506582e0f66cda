// Spreads (close less reference) read as the printed decimals make them. Each price
// is the double nearest a decimal, so a spread a − b, rounded or not, lies within a
// few units in the last place of the prices of the decimal spread: spreads equal in
// the decimals differ slightly in binary, and a variance or a slope's divisor made of
// them is that rounding, not a move. A statistic whose divisor lies within it asks
// here, out of line, whether the window's spreads are equal (or move in equal steps)
// on the decimals as written, and gives its flat answer when they are.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace torvex {

// The reach of that rounding about the newest prices a and b: a spread lies within
// 2^-52 (|a| + |b|) of its decimal value; a window's prices may lie some way above
// the newest, hence sixteen times that. Scales with the prices, by powers of two
// exactly.
inline double spread_rounding(double a, double b) { return 0x1p-48 * (std::fabs(a) + std::fabs(b)); }

// Whether the newest prices lie on a grid (decimals of a few places as written, or a
// coarse binary grid) whose unit exceeds 64 times `rounding`: on such a grid two
// sums of w spreads each, with w up to 8, that lie within 2 w · rounding of each
// other are equal in the decimals, since unequal ones lie a unit apart. The window's
// prices are taken to be written to the places of its newest.
[[gnu::noinline]] bool decimals_resolve(double a, double b, double rounding);

// A window of spreads equal in the decimals deviates by their rounding, which lies
// far below this share of their mean unless the spread is itself within some 2^-40
// of the prices (a spread of 0 in the decimals is 0 in binary too, and flat). The
// windows of a deviation within it are asked, out of line, whether they are flat.
inline constexpr double kSpreadFlatGate = 0x1p-12;

// Whether the n values at(0) .. at(n − 1), each a spread or a difference of two, are
// equal in the decimals the newest prices a and b are written to: they lie within
// `reach` roundings of each other, on a grid that tells them apart otherwise.
template <class At>
[[gnu::noinline]] bool equal_as_written(std::size_t n, const At& at, double a, double b, double reach) {
    const double rounding = spread_rounding(a, b);
    double low = at(0), high = low;
    for (std::size_t i = 1; i < n; ++i) {
        const double v = at(i);
        low = std::min(low, v);
        high = std::max(high, v);
    }
    return high - low <= reach * rounding && decimals_resolve(a, b, rounding);
}

}  // namespace torvex
