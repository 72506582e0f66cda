// The sliding high and low against a plain scan of the same window that ignores NaN.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <limits>
#include <random>

#include "indicators/cores/nan_skipping_extremes.hpp"

namespace torvex {
namespace {

TEST(NanSkippingExtremes, MatchesAScanOfTheWindow) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    std::mt19937_64 rng(5);
    for (std::uint64_t n : {1u, 2u, 3u, 7u, 64u, 300u}) {
        NanSkippingExtremes ext(n);
        std::deque<double> window;
        for (int i = 0; i < 3000; ++i) {
            const std::uint64_t r = rng();
            double v;
            switch (r % 11) {
                case 0: v = kNaN; break;
                case 1: v = (r & 64) ? kInf : -kInf; break;
                case 2: v = 0.0; break;  // ties and runs
                case 3: v = i * 0.5; break;  // a rising stretch
                case 4: v = -i * 0.5; break;  // a falling one
                default: v = static_cast<double>(static_cast<std::int64_t>(r >> 40) % 200) - 100.0;
            }
            ext.push(v);
            window.push_back(v);
            if (window.size() > n) window.pop_front();
            const HiLo want = window_hi_lo(window);
            const HiLo got = ext.hi_lo();
            ASSERT_EQ(got.hi, want.hi) << "n " << n << " push " << i;
            ASSERT_EQ(got.lo, want.lo) << "n " << n << " push " << i;
            ASSERT_EQ(ext.size(), window.size());
            ASSERT_EQ(ext.full(), window.size() == n);
        }
    }
}

TEST(NanSkippingExtremes, OnlyNaNMeansNoExtremes) {
    NanSkippingExtremes ext(2);
    ext.push(5.0);
    ext.push(std::nan(""));
    EXPECT_EQ(ext.hi_lo().hi, 5.0);
    ext.push(std::nan(""));
    EXPECT_EQ(ext.hi_lo().hi, -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ext.hi_lo().lo, std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace torvex
