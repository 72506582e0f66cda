// Small numeric helpers shared across indicator families.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace torvex {

inline constexpr double kHalfMaxDouble = 8.988465674311579e307;

// c ? a : b on the bit patterns: exactly one operand comes out, bit for bit, and since
// no floating-point condition is left the compiler cannot turn it back into a branch
// (which would move the other operand's arithmetic under it), so a loop around it
// can take several values at once.
inline double pick(bool c, double a, double b) {
    const std::uint64_t mask = std::uint64_t{0} - static_cast<std::uint64_t>(c);
    const std::uint64_t x = std::bit_cast<std::uint64_t>(a), y = std::bit_cast<std::uint64_t>(b);
    return std::bit_cast<double>(y ^ ((x ^ y) & mask));
}

// Midpoint that never overflows: the plain form while both magnitudes are at most
// half the largest finite double, the halved form beyond. Both forms are computed and
// one is kept: no branch, so a loop over many pairs can take several at once.
inline double midpoint(double a, double b) {
    const double plain = (a + b) * 0.5;
    const double halved = a * 0.5 + b * 0.5;
    return pick((std::fabs(a) <= kHalfMaxDouble) & (std::fabs(b) <= kHalfMaxDouble), plain, halved);
}

// The larger of two values neither of which is NaN, the second on a tie: what
// std::fmax answers for such operands, as one instruction instead of a library call.
inline double max_of_ordered(double a, double b) { return a > b ? a : b; }

// std::fmax and std::fmin with every case answered one way: a NaN operand is passed
// over (NaN only when both are), and on a tie of +0 and -0 the answer is `b`. The
// library leaves that tie open and the compiler may hand it the operands in either
// order, so two builds of one step (a loop's wide build beside the bar-by-bar one)
// could publish zeros of different signs.
inline double max_skipping_nan(double a, double b) { return (a > b || b != b) ? a : b; }
inline double min_skipping_nan(double a, double b) { return (a < b || b != b) ? a : b; }

// Rounds half away from zero, trunc(x + copysign(0.49999999999999994, x)); using the
// largest double below one half keeps 0.49999999999999994 itself from rounding up.
inline double round_half_away(double x) {
    return std::trunc(x + std::copysign(0.49999999999999994, x));
}

// Whether a divisor is positive and normal: false for zero, a negative or NaN, and for
// a value below the normal range, where it has lost its digits.
inline bool positive_normal(double x) { return x >= std::numeric_limits<double>::min(); }

// Saturating conversion to an unsigned count: NaN and negatives give 0.
inline std::uint64_t saturating_u64(double x) {
    if (!(x > 0.0)) return 0;
    if (x >= 18446744073709551616.0) return UINT64_MAX;
    return static_cast<std::uint64_t>(x);
}

// round(x) as an unsigned count, as the indicators round a real length.
inline std::uint64_t round_to_u64(double x) { return saturating_u64(round_half_away(x)); }

}  // namespace torvex
