#include "indicators/cores/decimal_tie.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "indicators/cores/exact_gram.hpp"

namespace torvex {

namespace {

// x + y as the rounded sum and its error, exactly (the error-free transformation).
struct SumAndError {
    double sum, error;
    friend bool operator==(const SumAndError&, const SumAndError&) = default;
};
SumAndError exact_sum(double x, double y) {
    const double s = x + y;
    const double v = s - x;
    return {s, (x - (s - v)) + (y - v)};
}

// The exponent that puts the largest magnitude of `values` in [1, 2); kNoExponent where
// it is zero or not finite.
constexpr int kNoExponent = 1 << 20;
int common_exponent(std::initializer_list<double> values) {
    double top = 0.0;
    for (const double v : values) top = std::max(top, std::fabs(v));
    return top > 0.0 && std::isfinite(top) ? std::ilogb(top) : kNoExponent;
}

}  // namespace

bool sums_tie_in_decimals(double a, double b, double c, double d) {
    // Prices as written read as decimals of at most eight places directly; others (a
    // price scaled by a power of two, or binary) on the grid the exact Gram reads.
    const std::optional<int> pa = written_places(a), pb = written_places(b), pc = written_places(c),
                             pd = written_places(d);
    if (pa && pb && pc && pd) {
        // A decimal of fewer places is one of more: all four read at the most places.
        const int k = std::max({*pa, *pb, *pc, *pd});
        const std::optional<std::int64_t> ia = decimal_units(a, k), ib = decimal_units(b, k),
                                          ic = decimal_units(c, k), id = decimal_units(d, k);
        if (ia && ib && ic && id) return *ia + *ib == *ic + *id;
    }
    // The grid reads a power of two times a decimal on the decimal's grid, but only in
    // the range its products with powers of five keep: the four are read at the scale
    // that puts the largest in [1, 2), which every power of two times them shares.
    const int m = common_exponent({a, b, c, d});
    const double sa = std::ldexp(a, -m), sb = std::ldexp(b, -m), sc = std::ldexp(c, -m), sd = std::ldexp(d, -m);
    if (m != kNoExponent && std::ldexp(sa, m) == a && std::ldexp(sb, m) == b && std::ldexp(sc, m) == c &&
        std::ldexp(sd, m) == d) {
        ColumnGrid grid;
        for (const double x : {sa, sb, sc, sd}) grid.add(x);
        if (grid.decimals > 0) return grid.integer(sa) + grid.integer(sb) == grid.integer(sc) + grid.integer(sd);
    }
    // Two exact sums are equal exactly when their roundings and their errors are.
    return exact_sum(a, b) == exact_sum(c, d);
}

std::optional<int> sign_of_count_times_minus_sum(double x, std::uint64_t n, const FixedRing<double>& values) {
    // Read at the scale that puts the largest in [1, 2), as above; a value that scale
    // would round (some thousand binades below the largest) leaves the question open.
    double top = std::fabs(x);
    values.for_each([&top](double v) { top = std::max(top, std::fabs(v)); });
    const int m = common_exponent({top});
    if (m == kNoExponent) return top == 0.0 ? std::optional<int>(0) : std::nullopt;
    bool exact = std::ldexp(std::ldexp(x, -m), m) == x;
    values.for_each([&](double v) { exact = exact && std::ldexp(std::ldexp(v, -m), m) == v; });
    if (!exact) return std::nullopt;
    const auto scaled = [m](double v) { return std::ldexp(v, -m); };
    ColumnGrid grid;
    grid.add(scaled(x));
    values.for_each([&](double v) { grid.add(scaled(v)); });
    // Each integer below 2^62, at most 2^24 of them, and n as many times x: within 2^87.
    // (Binary integers are read only between 2^-900 and 2^900, as the grid reads them.)
    if (grid.decimals == 0 && (grid.bits() > 62 || grid.binary.low < -900 || grid.binary.high > 900)) return std::nullopt;
    __int128 d = static_cast<__int128>(grid.integer(scaled(x))) * static_cast<__int128>(n);
    values.for_each([&](double v) { d -= grid.integer(scaled(v)); });
    return d > 0 ? 1 : d < 0 ? -1 : 0;
}

std::optional<int> sign_of_count_times_minus_sum_near_decimals(double x, std::uint64_t n,
                                                               const FixedRing<double>& values) {
    // A decimal of k places times 2^s is an integer times 2^(s − k) / 5^k: times 5^k, each
    // value lies near a multiple of one power of two, the grid's unit. The coarsest unit
    // that holds every value within 2^-8 of it, in at most 40 bits (12 fewer than a binary
    // reading, as the exact Gram asks of a decimal grid), over the fewest places.
    double top = std::fabs(x);
    values.for_each([&top](double v) { top = std::max(top, std::fabs(v)); });
    if (top == 0.0) return 0;
    if (!std::isfinite(top)) return std::nullopt;
    // Read at the scale that puts the largest in [1, 2), as above, so that the grid's
    // units stay normal doubles at every price level.
    const int m = common_exponent({top});
    const auto scaled = [m](double v) { return std::ldexp(v, -m); };
    constexpr int kPlaces = 9, kBits = 40;
    double fives = 1.0;
    for (int k = 0; k <= kPlaces; ++k, fives *= 5.0) {
        int exponent = 0;
        std::frexp(scaled(top) * fives, &exponent);
        for (int e = exponent - 1; e >= exponent - kBits; --e) {
            const double per_unit = std::ldexp(fives, -e);  // exact: a power of five times one of two
            const auto near = [&](double v) {
                const double y = scaled(v) * per_unit;
                return std::fabs(y - std::nearbyint(y)) <= 0x1p-8;
            };
            bool held = near(x);
            values.for_each([&](double v) { held = held && near(v); });
            if (!held) continue;
            const auto integer = [&](double v) { return static_cast<std::int64_t>(std::nearbyint(scaled(v) * per_unit)); };
            __int128 d = static_cast<__int128>(integer(x)) * static_cast<__int128>(n);
            values.for_each([&](double v) { d -= integer(v); });
            return d > 0 ? 1 : d < 0 ? -1 : 0;
        }
    }
    return std::nullopt;
}

}  // namespace torvex
