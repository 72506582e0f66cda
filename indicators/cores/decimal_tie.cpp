#include "indicators/cores/decimal_tie.hpp"

#include "indicators/cores/exact_gram.hpp"

namespace torvex {

namespace {

// x + y as the rounded sum and its error, exactly (the error-free transformation).
struct ExactSum {
    double sum, error;
    friend bool operator==(const ExactSum&, const ExactSum&) = default;
};
ExactSum exact_sum(double x, double y) {
    const double s = x + y;
    const double v = s - x;
    return {s, (x - (s - v)) + (y - v)};
}

}  // namespace

bool sums_tie_in_decimals(double a, double b, double c, double d) {
    ColumnGrid grid;
    for (const double x : {a, b, c, d}) grid.add(x);
    if (grid.decimals > 0) return grid.integer(a) + grid.integer(b) == grid.integer(c) + grid.integer(d);
    // Two exact sums are equal exactly when their roundings and their errors are.
    return exact_sum(a, b) == exact_sum(c, d);
}

std::optional<int> sign_of_count_times_minus_sum(double x, std::uint64_t n, const FixedRing<double>& values) {
    ColumnGrid grid;
    grid.add(x);
    values.for_each([&grid](double v) { grid.add(v); });
    // Each integer below 2^62, at most 2^24 of them, and n as many times x: within 2^87.
    // (Binary integers are read only between 2^-900 and 2^900, as the grid reads them.)
    if (grid.decimals == 0 && (grid.bits() > 62 || grid.binary.low < -900 || grid.binary.high > 900)) return std::nullopt;
    __int128 d = static_cast<__int128>(grid.integer(x)) * static_cast<__int128>(n);
    values.for_each([&](double v) { d -= grid.integer(v); });
    return d > 0 ? 1 : d < 0 ? -1 : 0;
}

}  // namespace torvex
