// The fixed ring and the sliding extremes against plain models: arrival order,
// eviction, and the highest and lowest of a window with their positions, ties
// going to the newest.
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/sliding_extremes.hpp"

namespace torvex {
namespace {

TEST(WindowCores, FixedRingKeepsArrivalOrder) {
    FixedRing<int> ring(3);
    std::deque<int> model;
    for (int i = 0; i < 20; ++i) {
        const auto evicted = ring.push(i);
        model.push_back(i);
        if (model.size() > 3) {
            ASSERT_TRUE(evicted);
            EXPECT_EQ(*evicted, model.front());
            model.pop_front();
        } else {
            EXPECT_FALSE(evicted);
        }
        if (i % 7 == 6) {  // an owner that takes the oldest out itself
            ring.pop_front();
            model.pop_front();
        }
        ASSERT_EQ(ring.size(), model.size());
        std::vector<int> seen;
        ring.for_each([&seen](int v) { seen.push_back(v); });
        EXPECT_EQ(seen, std::vector<int>(model.begin(), model.end()));
        for (std::size_t k = 0; k < model.size(); ++k) EXPECT_EQ(ring[k], model[k]);
        if (!model.empty()) {
            EXPECT_EQ(ring.front(), model.front());
            EXPECT_EQ(ring.back(), model.back());
        }
    }
}

TEST(WindowCores, SlidingExtremesMatchAFullScan) {
    for (const std::uint64_t n : {1u, 2u, 5u, 17u}) {
        SlidingExtremes ex(n);
        std::vector<double> highs, lows;
        std::uint64_t state = 12345 + n;
        for (int i = 0; i < 400; ++i) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            // Few distinct levels, so that ties are common.
            const double low = static_cast<double>((state >> 33) % 7);
            const double high = low + static_cast<double>((state >> 45) % 3);
            ex.push(high, low);
            highs.push_back(high);
            lows.push_back(low);
            ASSERT_EQ(ex.full(), highs.size() >= n);
            const std::size_t start = highs.size() > n ? highs.size() - n : 0;
            std::size_t hi_at = start, lo_at = start;
            for (std::size_t k = start; k < highs.size(); ++k) {
                if (highs[k] >= highs[hi_at]) hi_at = k;
                if (lows[k] <= lows[lo_at]) lo_at = k;
            }
            ASSERT_EQ(ex.highest(), highs[hi_at]) << "n " << n << " push " << i;
            ASSERT_EQ(ex.lowest(), lows[lo_at]) << "n " << n << " push " << i;
            ASSERT_EQ(ex.highest_at(), hi_at - start) << "n " << n << " push " << i;
            ASSERT_EQ(ex.lowest_at(), lo_at - start) << "n " << n << " push " << i;
        }
    }
}

}  // namespace
}  // namespace torvex
