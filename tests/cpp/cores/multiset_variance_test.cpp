// The window variance that depends on the values held alone: known values, equal bits
// for equal and for negated windows whatever their order and history, and accuracy
// beside a wider two-pass sum.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "indicators/cores/multiset_variance.hpp"

namespace torvex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

double variance_after(const std::vector<double>& pushes, std::uint64_t n) {
    auto w = *MultisetVariance::create(n);
    bool full = false;
    for (double x : pushes) full = w.push(x);
    EXPECT_TRUE(full);
    return w.sample_variance();
}

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

TEST(MultisetVarianceCore, KnownValues) {
    struct Case {
        std::string name;
        std::vector<double> pushes;
        std::uint64_t n;
        double expected;
    };
    const std::vector<Case> cases = {
        {"one to four", {1, 2, 3, 4}, 4, 5.0 / 3.0},
        {"eight values", {2, 4, 4, 4, 5, 5, 7, 9}, 8, 32.0 / 7.0},
        {"the last n of a longer run", {100, -50, 1, 2, 3, 4}, 4, 5.0 / 3.0},
        {"two of opposite sign", {-3, 3}, 2, 18.0},
        {"equal values that do not add up exactly", {0.1, 0.1, 0.1}, 3, 0.0},
        {"equal values after a spike left", {1e12, 7.3, 7.3, 7.3}, 3, 0.0},
        {"zeros of both signs", {-0.0, 0.0, 3.0}, 3, 3.0},
        {"an infinite value held", {1, kInf, 2}, 3, 0.0},
        {"both infinities held", {-kInf, 1, kInf}, 3, 0.0},
        {"the infinity gone", {kInf, 1, 2, 3, 4}, 4, 5.0 / 3.0},
        {"sums that would overflow both ways", {1.7e308, 1.7e308, -1.75e308, -1.75e308}, 4, kInf},
        {"squares that overflow", {-1e308, 1e308}, 2, kInf},
        {"a middle pair whose sum overflows", {1e308, 1.5e308}, 2, kInf},
        {"squares above the largest double, a variance below it", {1e170, 1e170 + 0x1p512}, 2, 0x1p1023},
        // m·2^-539 and its negative: m²/8 of the smallest subnormal, ties to even.
        {"subnormal, a tie to zero", {0x1p-538, -0x1p-538}, 2, 0.0},
        {"subnormal, a tie to even", {0x1.8p-537, -0x1.8p-537}, 2, 4 * 0x1p-1074},
        {"subnormal, below the tie", {0x1.4p-537, -0x1.4p-537}, 2, 3 * 0x1p-1074},
        // {x, x, −x} with x = m·2^-539: m²/12 of the smallest subnormal.
        {"subnormal, above the tie", {0x1.2p-536, 0x1.2p-536, -0x1.2p-536}, 3, 7 * 0x1p-1074},
        {"subnormal, just above the tie", {0x1.8p-538, 0x1.8p-538, -0x1.8p-538}, 3, 0x1p-1074},
        {"the smallest subnormal and its negative", {0x1p-1074, -0x1p-1074}, 2, 0.0},
        // x = 1.25 + 2^-52: x²/2 lies half an ulp above 0x1.9000000000002p-1, and 2^-105 more.
        {"a tie broken by the bits below it", {0x1.4000000000001p0, 0.0}, 2, 0x1.9000000000003p-1},
    };
    for (const Case& c : cases) EXPECT_EQ(variance_after(c.pushes, c.n), c.expected) << c.name;
}

TEST(MultisetVarianceCore, RefusesLengthsAtCreation) {
    EXPECT_FALSE(MultisetVariance::create(0).has_value());
    EXPECT_FALSE(MultisetVariance::create(std::uint64_t{1} << 40).has_value());
    ASSERT_TRUE(MultisetVariance::create(2).has_value());
    EXPECT_EQ(MultisetVariance::create(5)->period(), 5u);
}

// The log returns of a market that moves among four prices a cent apart: few distinct
// values, which a window holds again and again in other orders and as each other's
// negatives.
std::vector<double> tick_returns() {
    const double p[] = {100.0, 100.01, 100.02, 100.03};
    return {std::log(p[1] / p[0]), std::log(p[2] / p[1]), std::log(p[3] / p[2]), std::log(p[2] / p[0]),
            std::log(p[3] / p[1]), std::log(p[3] / p[0])};
}

TEST(MultisetVarianceCore, EqualAndNegatedWindowsGiveEqualBitsWhateverCameBefore) {
    const std::vector<double> r = tick_returns();
    struct Case {
        std::string name;
        std::vector<double> first;   // pushes; its last n values are one window
        std::vector<double> second;  // another history ending in the same values, permuted or negated
        std::uint64_t n;
    };
    const std::vector<Case> cases = {
        {"permuted", {-r[4], r[4], r[1], -r[2], -r[4]}, {r[1], -r[2], -r[4], r[4], -r[4]}, 5},
        {"permuted, seven", {r[2], -r[2], r[3], -r[0], r[0], -r[4], r[5]}, {r[5], -r[2], r[3], r[0], r[2], -r[0], -r[4]},
         7},
        {"negated", {r[3], -r[3], -r[4], r[3], -r[5], -r[4]}, {-r[3], r[3], r[4], -r[3], r[5], r[4]}, 6},
        {"negated, more falls than rises", {-r[3], r[1], r[1], -r[0], -r[3]}, {r[3], -r[1], -r[1], r[0], r[3]}, 5},
        {"negated and permuted", {r[2], -r[0], r[1], r[0], -r[0], r[5], r[4]},
         {-r[4], r[0], -r[1], -r[2], r[0], -r[5], -r[0]}, 7},
        {"after other histories", {1e9, -3.0, 0.5, -r[4], r[4], r[1], -r[2], -r[4]},
         {r[5], r[5], r[5], r[5], r[1], -r[2], -r[4], r[4], -r[4]}, 5},
        {"after values at both ends of the range", {0x1p-1074, -1e300, 1e300, 0x1p-1074, -r[4], r[4], r[1], -r[2], -r[4]},
         {r[5], r[5], r[5], r[5], r[1], -r[2], -r[4], r[4], -r[4]}, 5},
    };
    for (const Case& c : cases) {
        const double a = variance_after(c.first, c.n), b = variance_after(c.second, c.n);
        EXPECT_GT(a, 0.0) << c.name;
        EXPECT_EQ(bits(a), bits(b)) << c.name << ": " << a << " against " << b;
    }
}

// Windows of integers times a power of two: the exact numerator n·Σv² − (Σv)² and the
// divisor n(n − 1) are integers below 2^53, so one division of their doubles is the
// correctly rounded variance, and the power-of-two scale keeps it exact.
TEST(MultisetVarianceCore, SlidingWindowsAreCorrectlyRounded) {
    std::uint64_t seed = 13579;
    const auto next = [&seed] {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::int64_t>(seed >> 33);
    };
    // Scales that put the values across a boundary of the sums' 64-bit words, or their
    // sums alone across one, too.
    for (const int scale : {0, -5, -10, -30, -500, 400}) {
        for (const std::int64_t n : {2, 3, 7, 40, 300}) {
            auto w = *MultisetVariance::create(static_cast<std::uint64_t>(n));
            std::vector<std::int64_t> held;
            for (int t = 0; t < 1000; ++t) {
                // Often the negative of the last value, so that sums cancel.
                const std::int64_t v = (next() % 3 == 0 && !held.empty()) ? -held.back() : next() % 2001 - 1000;
                held.push_back(v);
                if (!w.push(std::ldexp(static_cast<double>(v), scale))) continue;
                std::int64_t s1 = 0, s2 = 0;
                for (std::size_t k = held.size() - static_cast<std::size_t>(n); k < held.size(); ++k) {
                    s1 += held[k];
                    s2 += held[k] * held[k];
                }
                const double exact = static_cast<double>(n * s2 - s1 * s1) / static_cast<double>(n * (n - 1));
                EXPECT_EQ(bits(w.sample_variance()), bits(std::ldexp(exact, 2 * scale)))
                    << "scale " << scale << " n " << n << " bar " << t;
            }
        }
    }
}

// The division by a reciprocal against the 128-bit division, at the edges of its
// domain (the high word just below the divisor, words of all ones) and between them.
TEST(MultisetVarianceCore, ReciprocalDivisionMatchesWideDivision) {
    using u128 = unsigned __int128;
    std::uint64_t seed = 24680;
    const auto next = [&seed] {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return seed ^ (seed >> 29);
    };
    for (const std::uint64_t count : {2ull, 3ull, 17ull, 20ull, 50000ull, 16777216ull}) {
        const auto d = ExactMomentSums::Divisor::of(count);
        EXPECT_EQ(d.normal >> d.shift, count * (count - 1));
        EXPECT_EQ(d.normal >> 63, 1u) << count;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> words = {
            {0, 0}, {0, ~0ull}, {d.normal - 1, ~0ull}, {d.normal - 1, 0}, {d.normal >> 1, d.normal}};
        for (int k = 0; k < 2000; ++k) words.emplace_back(next() % d.normal, next());
        // High words just below the divisor, where the estimate is most often short.
        for (std::uint64_t k = 1; k < 400; ++k) words.emplace_back(d.normal - k % 16 - 1, ~0ull - next() % 256);
        for (const auto& [high, low] : words) {
            const u128 n = (u128{high} << 64) | low;
            std::uint64_t r = 0;
            const std::uint64_t q = d.divide(high, low, r);
            ASSERT_EQ(q, static_cast<std::uint64_t>(n / d.normal)) << count << " " << high << " " << low;
            ASSERT_EQ(r, static_cast<std::uint64_t>(n % d.normal)) << count << " " << high << " " << low;
        }
    }
}

TEST(MultisetVarianceCore, SlidingWindowsAgreeWithAWiderTwoPassSum) {
    std::uint64_t seed = 987654321;
    const auto next = [&seed] {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(seed >> 11) * 0x1.0p-53;
    };
    for (const std::uint64_t n : {2u, 3u, 14u, 30u}) {
        auto w = *MultisetVariance::create(n);
        std::vector<double> held;
        for (int t = 0; t < 500; ++t) {
            // Returns about a drift, with runs of repeated values.
            const double x = (next() < 0.3 && !held.empty()) ? held.back() : 0.002 + 0.01 * (next() - 0.5);
            held.push_back(x);
            if (!w.push(x)) continue;
            long double mean = 0.0L, dev = 0.0L;
            for (std::size_t k = held.size() - n; k < held.size(); ++k) mean += held[k];
            mean /= static_cast<long double>(n);
            for (std::size_t k = held.size() - n; k < held.size(); ++k) dev += (held[k] - mean) * (held[k] - mean);
            const double wide = static_cast<double>(dev / static_cast<long double>(n - 1));
            EXPECT_NEAR(w.sample_variance(), wide, 1e-12 * wide + 1e-300) << "n " << n << " bar " << t;
        }
    }
}

}  // namespace
}  // namespace torvex
