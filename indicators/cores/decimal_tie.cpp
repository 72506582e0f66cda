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

}  // namespace torvex
