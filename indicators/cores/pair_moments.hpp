// Population moments of paired values and the two statistics most pair indicators
// read from them.
#pragma once

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

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
// The same, always taken on the legs scaled by powers of two (for moments whose
// product leaves the normal range).
double scaled_correlation(const PairMoments& m);

// Moments of the n pairs (a(i), b(i)), i = 0 .. n-1 (n >= 1), in two passes: the means,
// then the sums of deviation products, each divided by n. Both passes take the values
// relative to the first pair: the differences are exact for a flat series, so its mean
// is its value and its variance exactly 0 (a mean of n equal values summed as they are
// can miss the value by a rounding, and leave a variance of that rounding squared).
// The scale of one leg's deviations, as a power of two: from its sum of squared
// deviations (or their mean) and its mean offset, whichever is larger; 0 where
// neither is a finite non-zero number. Tests that weigh a product of the two legs'
// moments against another (each of degree two in either leg) are taken on the legs
// scaled by these powers, which is exact and changes no comparison that the plain
// numbers could make, but keeps fourth powers of deviations near 1e80 from
// overflowing, and those of deviations near 1e-100 from underflowing.
inline int leg_exponent(double squares, double offset) {
    int e = INT_MIN;
    if (squares > 0.0 && squares <= std::numeric_limits<double>::max()) e = std::ilogb(squares) / 2;
    if (offset != 0.0 && std::fabs(offset) <= std::numeric_limits<double>::max()) e = std::max(e, std::ilogb(offset));
    return e == INT_MIN ? 0 : e;
}

// A covariance within the rounding of its own arithmetic is 0: four times the
// first-order error of each deviation's two subtractions (of the first value, at most
// |deviation| + |mean offset|, and of the mean), each product and each partial sum
// (at most Σ|da·db| <= √(Σda²·Σdb²) each); the means' rounding enters only to second
// order, as the deviations about the exact means sum to 0. Ratios over it would read
// a residue of 1e-17 as a value. The bound's four parts are compared squared (their
// sum squared is at most four times the sum of their squares), which spares the roots.
inline bool covariance_within_rounding_scaled(double count, double saa, double sbb, double sab, double ma, double mb) {
    const double c4 = count + 4.0;
    const int ea = leg_exponent(saa, ma);
    const int eb = leg_exponent(sbb, mb);
    const double qa = std::ldexp(saa, -2 * ea);
    const double qb = std::ldexp(sbb, -2 * eb);
    const double sa = std::ldexp(ma, -ea);
    const double sb = std::ldexp(mb, -eb);
    const double qab = std::ldexp(sab, -(ea + eb));
    const double mab = sa * sb;
    const double parts = (c4 * c4) * (qa * qb) + 4.0 * count * (sb * sb * qa + sa * sa * qb) + (count * count) * (mab * mab);
    return qab * qab <= 0x1p-100 * parts;
}

// Whether Σda·db is within the rounding of its own arithmetic (see above), from the
// sums of the deviations' squares and products and the mean offsets ma, mb of a
// two-pass origin (the first pair deviates by exactly -ma, -mb, so ma² <= Σda² and
// mb² <= Σdb²; and (Σda·db)² <= Σda²·Σdb² up to rounding). The test weighs products of
// four deviations, which overflow near 1e80 and underflow near 1e-100, and is taken
// on the legs scaled to their own size (by powers of two) unless Σda² and Σdb² each
// lie within [2^-400, 2^401) or belong to an exactly flat leg (Σd², the offset and
// Σda·db all 0). Within that range the plain test answers as the scaled one: the
// leading part (n + 4)²·Σda²·Σdb² is normal and at most 2^851, every other part at
// most of its order; a part above 2^-60 of it is normal at both scales with all its
// factors, so it is its scaled twin times the same power of two and rounds alike;
// one below that (however its underflow rounded) is absorbed into the sums at both
// scales; and a (Σda·db)² that underflows at either scale is far below 2^-100 of the
// parts at both. Two comparisons of exponent bits on the usual path, then.
inline bool covariance_within_rounding(double count, double saa, double sbb, double sab, double ma, double mb) {
    const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
    const auto plain = [&](double squares, double offset) {
        return (bits(squares) >> 52) - (1023 - 400) <= 800 || (bits(squares) | (bits(offset) << 1) | (bits(sab) << 1)) == 0;
    };
    if (!(plain(saa, ma) && plain(sbb, mb))) [[unlikely]]
        return covariance_within_rounding_scaled(count, saa, sbb, sab, ma, mb);
    const double c4 = count + 4.0;
    const double mab = ma * mb;
    const double parts = (c4 * c4) * (saa * sbb) + 4.0 * count * (mb * mb * saa + ma * ma * sbb) + (count * count) * (mab * mab);
    return sab * sab <= 0x1p-100 * parts;
}

// Where the deviations of a window's pairs are taken from: pair i deviates from the
// means by ((a(i) - a0) - ma, (b(i) - b0) - mb), with a0, b0 the first pair and ma, mb
// the mean differences from it (the first pass).
struct PairOrigin {
    double a0;
    double b0;
    double ma;
    double mb;
    double deviation_a(double a) const { return (a - a0) - ma; }
    double deviation_b(double b) const { return (b - b0) - mb; }
};

template <class A, class B>
PairOrigin pair_origin(std::size_t n, const A& a, const B& b) {
    const double count = static_cast<double>(n);
    const double a0 = a(0);
    const double b0 = b(0);
    double sa = 0.0;
    double sb = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        sa += a(i) - a0;
        sb += b(i) - b0;
    }
    return PairOrigin{a0, b0, sa / count, sb / count};
}

// The second pass, over the deviations from `o`.
template <class A, class B>
PairMoments two_pass_moments(std::size_t n, const A& a, const B& b, const PairOrigin& o) {
    const double count = static_cast<double>(n);
    double saa = 0.0;
    double sbb = 0.0;
    double sab = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double da = o.deviation_a(a(i));
        const double db = o.deviation_b(b(i));
        saa += da * da;
        sbb += db * db;
        sab += da * db;
    }
    if (covariance_within_rounding(count, saa, sbb, sab, o.ma, o.mb)) sab = 0.0;
    return PairMoments{o.a0 + o.ma, o.b0 + o.mb, saa / count, sbb / count, sab / count};
}

template <class A, class B>
PairMoments two_pass_moments(std::size_t n, const A& a, const B& b) {
    return two_pass_moments(n, a, b, pair_origin(n, a, b));
}

}  // namespace torvex
