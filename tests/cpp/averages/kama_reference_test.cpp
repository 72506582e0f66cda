// Kama against its definition worked bar by bar: a window of n + 1 closes whose
// volatility is re-added from -0.0 over the n changes, oldest first, on every bar,
// bit for bit on rough series (ties, flat runs, signed zeros, huge closes whose
// changes overflow, refused closes).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <optional>

#include "indicators/averages/kama.hpp"
#include "reference_compare.hpp"

namespace torvex {
namespace {

TEST(Kama, StepsAsItsWindowDefinitionBitForBit) {
    std::uint64_t seed = 11;
    for (std::uint64_t n : {1u, 2u, 3u, 10u, 14u, 30u, 100u, 1000u}) {
        for (const auto [fast, slow] : {std::pair<std::uint64_t, std::uint64_t>{2, 30}, {1, 2}}) {
            const std::vector<Ohlcv> bars = testing_reference::rough_candles(seed++, 3 * n + 2000);
            const double fast_sc = 2.0 / (static_cast<double>(fast) + 1.0);
            const double slow_sc = 2.0 / (static_cast<double>(slow) + 1.0);
            std::deque<double> window;
            std::optional<double> last;
            const auto reference = [&](const Ohlcv& bar) -> std::optional<double> {
                const double close = bar.close;
                if (!std::isfinite(close)) return std::nullopt;
                if (window.size() == n + 1) window.pop_front();
                window.push_back(close);
                if (window.size() < n + 1) return std::nullopt;
                double volatility = -0.0;
                for (std::size_t i = 0; i < n; ++i) volatility += std::fabs(window[i + 1] - window[i]);
                const double er = volatility == 0.0 ? 0.0 : std::fabs(close - window[0]) / volatility;
                const double sc = (fast_sc - slow_sc) * er + slow_sc;
                const double prev = last ? *last : window[0];
                last = sc * sc * (close - prev) + prev;
                return last;
            };
            testing_reference::expect_same_bits(
                "Kama", [&] { return IndicatorBox(new Kama(*Kama::create(n, fast, slow))); }, reference, bars);
        }
    }
}

}  // namespace
}  // namespace torvex
