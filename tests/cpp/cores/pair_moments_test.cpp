// The plain correlation and covariance tests of the pair moments answer exactly as
// their twins on legs scaled by powers of two wherever the plain path is taken, and
// the scaled twins take over where plain products leave the range.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "indicators/cores/pair_moments.hpp"

namespace torvex {
namespace {

// A value with a random significand and an exponent drawn from [lo, hi].
double draw(std::mt19937_64& rng, int lo, int hi) {
    std::uniform_real_distribution<double> sig(1.0, 2.0);
    std::uniform_int_distribution<int> exp(lo, hi);
    return std::ldexp(sig(rng), exp(rng));
}

TEST(PairMoments, CorrelationMatchesItsScaledTwinBitForBit) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> rho(-1.2, 1.2);
    int plain_range = 0;
    for (int i = 0; i < 200000; ++i) {
        const double va = draw(rng, -1074, 1023);
        const double vb = draw(rng, -1074, 1023);
        // A covariance of about rho·√(va·vb), formed without overflow.
        const double cov = rho(rng) * std::sqrt(va) * std::sqrt(vb);
        const PairMoments m{0.0, 0.0, va, vb, cov};
        const double prod = va * vb;
        if (prod >= 0x1p-1022 && prod <= 0x1.fffffffffffffp1023) plain_range += 1;
        const double got = bounded_correlation(m);
        const double want = scaled_correlation(m);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(want))
            << va << " " << vb << " " << cov;
    }
    EXPECT_GT(plain_range, 50000);
}

TEST(PairMoments, CorrelationOfLegsBeyondTheProductRange) {
    // var_a·var_b overflows at 1e160 each and underflows at 1e-170 each.
    EXPECT_DOUBLE_EQ(bounded_correlation({0.0, 0.0, 4e160, 1e160, 2e160}), 1.0);
    EXPECT_DOUBLE_EQ(bounded_correlation({0.0, 0.0, 4e-170, 1e-170, -1e-170}), -0.5);
    EXPECT_EQ(bounded_correlation({0.0, 0.0, 0.0, 1.0, 0.0}), 0.0);
}

TEST(PairMoments, CovarianceTestMatchesItsScaledTwin) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    int zeroed = 0;
    for (int i = 0; i < 200000; ++i) {
        const double count = static_cast<double>(2 + i % 40);
        const int e = i % 2 == 0 ? 0 : std::uniform_int_distribution<int>(-520, 520)(rng);
        const double saa = draw(rng, 2 * e - 8, 2 * e + 8);
        const double sbb = draw(rng, 2 * e - 8, 2 * e + 8);
        // The first pair deviates by -ma and -mb, within the legs' squares.
        const double ma = unit(rng) * std::sqrt(saa);
        const double mb = unit(rng) * std::sqrt(sbb);
        // Near the test's edge: Σda·db about 2^-50 of the root of its four parts,
        // worked out at the legs' scale 2^e.
        const double qa = std::ldexp(saa, -2 * e);
        const double qb = std::ldexp(sbb, -2 * e);
        const double pa = std::ldexp(ma, -e);
        const double pb = std::ldexp(mb, -e);
        const double parts = (count + 4.0) * (count + 4.0) * qa * qb + 4.0 * count * (pb * pb * qa + pa * pa * qb) +
                             count * count * (pa * pb) * (pa * pb);
        const double edge = std::ldexp(std::sqrt(parts), 2 * e - 50);
        const double sab = edge * (1.0 + std::ldexp(unit(rng), -(i % 60)));
        const bool got = covariance_within_rounding(count, saa, sbb, sab, ma, mb);
        ASSERT_EQ(got, covariance_within_rounding_scaled(count, saa, sbb, sab, ma, mb))
            << count << " " << saa << " " << sbb << " " << sab << " " << ma << " " << mb;
        zeroed += got ? 1 : 0;
    }
    // Both outcomes are met near the edge.
    EXPECT_GT(zeroed, 10000);
    EXPECT_LT(zeroed, 190000);
}

}  // namespace
}  // namespace torvex
