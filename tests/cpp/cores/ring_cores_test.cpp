#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "indicators/cores/capped_ring.hpp"
#include "indicators/cores/sliding_extremes.hpp"

using namespace torvex;

TEST(CappedRing, KeepsArrivalOrderAndHandsBackOverwritten) {
    CappedRing<double> ring(3);
    EXPECT_FALSE(ring.push(1.0));
    EXPECT_FALSE(ring.push(2.0));
    EXPECT_FALSE(ring.push(3.0));
    EXPECT_EQ(ring.push(4.0), 1.0);
    ring.pop_front();
    EXPECT_FALSE(ring.push(5.0));
    std::vector<double> seen;
    ring.for_each([&](double v) { seen.push_back(v); });
    EXPECT_EQ(seen, (std::vector<double>{3.0, 4.0, 5.0}));
    EXPECT_EQ(ring[0], 3.0);
    EXPECT_EQ(ring.back(), 5.0);
    ring.pop_back();
    EXPECT_EQ(ring.back(), 4.0);
    EXPECT_EQ(ring.size(), 2u);
}

// The queues answer what a scan from the oldest value with strict comparisons
// answers, signed zeros included (the oldest of equal extremes wins).
TEST(SlidingExtremes, MatchesScanOfTheWindow) {
    std::vector<double> xs;
    for (int i = 0; i < 300; ++i) xs.push_back(std::round(std::sin(i * 0.9) * 4.0) * 0.5);
    xs[40] = -0.0;
    xs[41] = 0.0;
    xs[42] = -0.0;
    for (std::uint64_t n : {1u, 2u, 5u, 17u}) {
        SlidingExtremes ext(n);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            ext.push(xs[i], xs[i]);
            const std::size_t from = i + 1 >= n ? i + 1 - n : 0;
            double hi = -INFINITY;
            double lo = INFINITY;
            for (std::size_t j = from; j <= i; ++j) {
                if (hi < xs[j]) hi = xs[j];
                if (lo > xs[j]) lo = xs[j];
            }
            ASSERT_EQ(std::bit_cast<std::uint64_t>(ext.highest()), std::bit_cast<std::uint64_t>(hi)) << n << " " << i;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(ext.lowest()), std::bit_cast<std::uint64_t>(lo)) << n << " " << i;
            EXPECT_EQ(ext.full(), i + 1 >= n);
        }
    }
}

// The strict-extreme queries agree with a scan: the value `ago` arrivals back is
// above (below) every other value of the window.
TEST(SlidingExtremes, StrictExtremeMatchesScan) {
    std::vector<double> xs;
    for (int i = 0; i < 200; ++i) xs.push_back(std::round(std::sin(i * 1.1) * 3.0));
    for (std::uint64_t half : {1u, 2u, 3u}) {
        const std::uint64_t n = 2 * half + 1;
        QueueSlidingExtremes ext(n);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            ext.push(xs[i], xs[i]);
            if (!ext.full()) continue;
            const std::size_t centre = i - half;
            bool above = true;
            bool below = true;
            for (std::size_t j = i + 1 - n; j <= i; ++j) {
                if (j == centre) continue;
                above = above && xs[centre] > xs[j];
                below = below && xs[centre] < xs[j];
            }
            EXPECT_EQ(ext.only_highest(half), above) << half << " " << i;
            EXPECT_EQ(ext.only_lowest(half), below) << half << " " << i;
        }
    }
}
