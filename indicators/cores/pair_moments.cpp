#include "indicators/cores/pair_moments.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

double bounded_correlation(const PairMoments& m) {
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
