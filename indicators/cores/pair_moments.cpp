#include "indicators/cores/pair_moments.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cmath>

namespace torvex {

double bounded_correlation(const PairMoments& m) {
    // The plain quotient wherever its product stays in the normal range and it is not
    // itself below it: the same quotient as on the scaled legs below, since scaling a
    // normal operand by a power of two is exact, a normal product, a root of a normal
    // value scaled by an even power and a quotient round the same at either scale, and
    // the scaled covariance (of about the quotient's size) is then normal too. A zero
    // covariance takes the scaled path, which answers the same signed 0; a NaN or an
    // infinite one reads alike on both.
    const double prod = m.var_a * m.var_b;
    const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
    constexpr std::uint64_t kExponent = 0x7ff0000000000000;
    if ((bits(prod) >> 52) - 1 < 0x7fe) [[likely]] {  // positive and normal
        const double r = m.cov / std::sqrt(prod);
        if ((bits(r) & kExponent) != 0) return std::clamp(r, -1.0, 1.0);  // not below the normal range
    }
    return scaled_correlation(m);
}

double scaled_correlation(const PairMoments& m) {
    // Taken on the legs scaled to their own size (by powers of two, so the quotient
    // is the same wherever the plain product stays in range): variances near 1e160
    // would overflow their product, and near 1e-170 underflow it.
    const int ea = leg_exponent(m.var_a, 0.0);
    const int eb = leg_exponent(m.var_b, 0.0);
    const double prod = std::ldexp(m.var_a, -2 * ea) * std::ldexp(m.var_b, -2 * eb);
    if (prod == 0.0) return 0.0;
    return std::clamp(std::ldexp(m.cov, -(ea + eb)) / std::sqrt(prod), -1.0, 1.0);
}

}  // namespace torvex
