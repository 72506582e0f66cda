// MidPoint against a plain scan of each window (the highest and lowest folded from the
// oldest close with strict comparisons, so the oldest of equal extremes such as -0.0
// and +0.0 is kept), bit for bit, at window lengths on both sides of the one where the
// scan gives way to sliding extremes.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "registry/registry.hpp"

namespace torvex {
namespace {

std::optional<double> scan_midpoint(const std::vector<double>& xs, std::size_t end, std::size_t n) {
    if (end + 1 < n) return std::nullopt;
    double hi = -INFINITY;
    double lo = INFINITY;
    for (std::size_t i = end + 1 - n; i <= end; ++i) {
        if (hi < xs[i]) hi = xs[i];
        if (xs[i] < lo) lo = xs[i];
    }
    // The overflow-safe middle: halves first when either exceeds half the largest double.
    const double half_max = std::numeric_limits<double>::max() * 0.5;
    const bool wide = std::fabs(hi) > half_max || std::fabs(lo) > half_max;
    return wide ? hi * 0.5 + lo * 0.5 : (hi + lo) * 0.5;
}

// Ties, signed zeros, flat runs, long falls and rises, values near the largest double.
std::vector<double> series() {
    std::vector<double> xs;
    std::uint64_t s = 7;
    for (int i = 0; i < 6000; ++i) {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        const int pick = static_cast<int>((s >> 33) % 10);
        if (pick == 0) xs.push_back(0.0);
        else if (pick == 1) xs.push_back(-0.0);
        else if (pick == 2 && !xs.empty()) xs.push_back(xs.back());
        else if (pick == 3) xs.push_back(static_cast<double>((s >> 40) % 5));
        else if (pick == 4) xs.push_back(1.5e308 * (((s >> 20) & 1) ? 1.0 : -1.0));
        else xs.push_back(static_cast<double>(static_cast<std::int64_t>((s >> 30) % 2001) - 1000) * 0.01);
    }
    // Only signed zeros: the middle of -0.0 and +0.0 is +0.0, of two -0.0 is -0.0, so
    // which of the equal extremes is kept shows in the sign.
    for (int i = 0; i < 2000; ++i) {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        xs.push_back(((s >> 35) & 1) ? 0.0 : -0.0);
    }
    for (int i = 0; i < 1500; ++i) xs.push_back(100.0 - i);  // a long fall: the oldest is the high
    for (int i = 0; i < 1500; ++i) xs.push_back(i * 0.5);    // a long rise
    return xs;
}

TEST(MidPoint, EqualsAScanOfEachWindowBitForBit) {
    const std::vector<double> xs = series();
    for (std::size_t n : {1u, 2u, 14u, 16u, 17u, 30u, 100u, 1000u}) {
        auto built = build_indicator("MidPoint", std::vector<double>{static_cast<double>(n)});
        ASSERT_TRUE(built) << n;
        DynIndicator& ind = **built;
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const Ohlcv bar{0, xs[i], xs[i], xs[i], xs[i], 1.0};
            const std::optional<double> got = ind.update(BarContext(bar));
            const std::optional<double> want = scan_midpoint(xs, i, n);
            ASSERT_EQ(got.has_value(), want.has_value()) << n << " bar " << i;
            if (got) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(*got), std::bit_cast<std::uint64_t>(*want)) << n << " bar " << i;
            }
        }
    }
}

}  // namespace
}  // namespace torvex
