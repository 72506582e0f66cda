// Population moments of paired values and the two statistics most pair indicators
// read from them.
#pragma once

#include <cstddef>

namespace torvex {

struct PairMoments {
    double mean_a;
    double mean_b;
    double var_a;  // clamped at 0
    double var_b;  // clamped at 0
    double cov;
};

// cov / var_b, or 0.0 when var_b is 0 (the slope of a on b).
inline double slope_a_on_b(const PairMoments& m) { return m.var_b == 0.0 ? 0.0 : m.cov / m.var_b; }

// cov / sqrt(var_a·var_b) held within [-1, 1]; 0.0 when the product is 0.
double bounded_correlation(const PairMoments& m);

// Moments of the n pairs (a(i), b(i)), i = 0 .. n-1, in two passes: the means,
// then the sums of deviation products, each divided by n.
template <class A, class B>
PairMoments two_pass_moments(std::size_t n, const A& a, const B& b) {
    const double count = static_cast<double>(n);
    double sa = 0.0;
    double sb = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        sa += a(i);
        sb += b(i);
    }
    const double ma = sa / count;
    const double mb = sb / count;
    double saa = 0.0;
    double sbb = 0.0;
    double sab = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double da = a(i) - ma;
        const double db = b(i) - mb;
        saa += da * da;
        sbb += db * db;
        sab += da * db;
    }
    return PairMoments{ma, mb, saa / count, sbb / count, sab / count};
}

}  // namespace torvex
