// Whether two sums of two prices are equal as the prices were written. Prices print as
// decimals on a tick grid, which doubles hold only to rounding: two moves that are
// equal in their decimals (a high that rises as far as the low falls) round apart in
// binary, by a few units in the last place of the prices. Owners test the moves in
// binary on the usual path and ask here only where two of them lie that close.
#pragma once

#include <cstdint>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

// a + b == c + d, each value read as the decimal it was written as where the four
// share a grid of at most eight places (a decimal column, as the exact Gram reads
// one), else as the binary value it is, exactly.
bool sums_tie_in_decimals(double a, double b, double c, double d);

// The sign of n·x − Σ values, x and the values read on one grid as above, exactly:
// whether x lies above, on or below the values' mean as they were written. Nothing
// where their binary grid spans more bits than the exact sum holds.
std::optional<int> sign_of_count_times_minus_sum(double x, std::uint64_t n, const FixedRing<double>& values);

// The same for values computed from decimal prices (a bar's midpoint, half the sum of
// its high and low), which hold their decimal only to a few roundings: x and the
// values read as the nearest points of the coarsest decimal grid, of at most nine
// places, or such a grid times a power of two, that holds every one of them within
// 2^-8 of its unit. Nothing where no such grid holds them.
std::optional<int> sign_of_count_times_minus_sum_near_decimals(double x, std::uint64_t n,
                                                               const FixedRing<double>& values);

}  // namespace torvex
