#include "indicators/cores/price_unit.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "indicators/cores/exact_gram.hpp"

namespace torvex::price_unit {

namespace {

using i128 = __int128;

// The values on one grid; false where no grid of integers below 2^62 holds them all
// (values over 2^62 units apart, which no price of a few decimals is), and the
// caller then keeps the doubles' reading.
template <class... T>
bool read(ColumnGrid& grid, T... x) {
    (grid.add(x), ...);
    return grid.integral();
}

// The sign and exponent bits.
std::uint64_t binade(double x) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits >> 52;
}

i128 floor_div(i128 a, i128 b) {  // b above zero
    const i128 q = a / b;
    return q * b > a ? q - 1 : q;
}

}  // namespace

bool is_short_binary(double unit) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &unit, sizeof bits);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    return std::isfinite(unit) && unit != 0.0 && (fraction == 0 || std::countr_zero(fraction) >= 21);
}

double shifted_by_short(double x, double k, double unit) {
    const double step = k * unit;
    const double r = x + step;
    // Exact sum: the two-sum error is zero.
    const double back = r - step;
    const bool exact = std::fabs(k) < 0x1p21 && (x - back) + (step - (r - back)) == 0.0;
    if (exact && binade(x) == binade(r)) return r;
    return shifted(x, k, unit);
}

int compare_move(double from, double to, double unit) {
    ColumnGrid g;
    if (!read(g, from, to, unit)) {
        const double d = (to - from) - unit;
        return (d > 0.0) - (d < 0.0);
    }
    const i128 d = static_cast<i128>(g.integer(to)) - g.integer(from) - g.integer(unit);
    return (d > 0) - (d < 0);
}

double whole_units(double from, double to, double unit) {
    ColumnGrid g;
    if (!read(g, from, to, unit)) return std::floor((to - from) / unit);
    return static_cast<double>(floor_div(static_cast<i128>(g.integer(to)) - g.integer(from), g.integer(unit)));
}

double shifted(double x, double k, double unit) {
    ColumnGrid g;
    // k stays far below 2^53 for any move a column of prices makes.
    if (!read(g, x, unit) || !(std::fabs(k) < 0x1p53)) return x + k * unit;
    const i128 m = g.integer(x) + static_cast<i128>(static_cast<std::int64_t>(k)) * g.integer(unit);
    if (m >= (i128{1} << 53) || m <= -(i128{1} << 53)) return x + k * unit;
    return g.nearest(static_cast<std::int64_t>(m));
}

}  // namespace torvex::price_unit
