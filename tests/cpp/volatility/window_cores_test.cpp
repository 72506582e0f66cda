// The Aroon window scan against a scan of every bar: the positions of the highest
// high and the lowest low, ties going to the newest bar.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "indicators/cores/aroon_window.hpp"

namespace torvex {
namespace {

TEST(WindowCores, AroonWindowMatchesAFullScan) {
    for (const std::uint64_t n : {1u, 2u, 5u, 17u}) {
        auto window = AroonWindow::create(n);
        ASSERT_TRUE(window);
        std::vector<double> highs, lows;
        std::uint64_t state = 12345 + n;
        for (int i = 0; i < 400; ++i) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            // Few distinct levels, so that ties are common.
            const double low = static_cast<double>((state >> 33) % 7);
            const double high = low + static_cast<double>((state >> 45) % 3);
            const auto got = window->step(Ohlcv{0, low, high, low, low, 1.0});
            highs.push_back(high);
            lows.push_back(low);
            ASSERT_EQ(got.has_value(), highs.size() >= n + 1) << "n " << n << " bar " << i;
            if (!got) continue;
            const std::size_t start = highs.size() - (n + 1);
            std::size_t hi_at = start, lo_at = start;
            for (std::size_t k = start; k < highs.size(); ++k) {
                if (highs[k] >= highs[hi_at]) hi_at = k;
                if (lows[k] <= lows[lo_at]) lo_at = k;
            }
            ASSERT_EQ(got->up, static_cast<double>(hi_at - start) * 100.0 / static_cast<double>(n))
                << "n " << n << " bar " << i;
            ASSERT_EQ(got->down, static_cast<double>(lo_at - start) * 100.0 / static_cast<double>(n))
                << "n " << n << " bar " << i;
        }
    }
}

}  // namespace
}  // namespace torvex
