// Price moves measured in a price-unit parameter (a minimum tick, a brick, a step),
// decided on the values as they were written. Prices print as decimals on a tick
// grid, which doubles hold only to rounding: 100.00 − 99.99 is 0.010000000000005116
// and 1,100.00 − 1,099.99 is 0.009999999999990905, one tick either way. The prices and
// the unit are read on one grid (ColumnGrid: as decimals of a few places where they
// are such, else as binary integers), where the move is an exact count of units.
//
// Each owner decides in doubles where the doubles cannot be in doubt and calls these
// only near a tie; they are out of line for that reason.
#pragma once

namespace torvex::price_unit {

// Whether the unit is a binary number of at most 32 significant bits: its multiples
// by whole numbers below 2^21 are exact, and it is the decimal it prints as.
bool is_short_binary(double unit);

// The sign (−1, 0 or +1) of (to − from) − unit.
[[gnu::noinline]] int compare_move(double from, double to, double unit);

// floor((to − from) / unit), a whole number (unit above zero).
[[gnu::noinline]] double whole_units(double from, double to, double unit);

// The double nearest x + k·unit (k a whole number).
[[gnu::noinline]] double shifted(double x, double k, double unit);

// x + k·unit where the doubles give the decimal: a unit of is_short_binary, a whole k
// below 2^21 in size, and a sum that is exact and keeps x's binade (x is then the
// double nearest its decimal, and so is the sum); else shifted().
double shifted_by_short(double x, double k, double unit);

}  // namespace torvex::price_unit
