// TtmTrend against a simple average of the bar midpoints stepped on its own, bit for
// bit: +1 where the close is above the average, -1 otherwise; where the last n
// midpoints are equal, the average is their value.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "indicators/cores/bar_prices.hpp"
#include "indicators/cores/sma_core.hpp"
#include "indicators/momentum/ttm_trend.hpp"
#include "reference_compare.hpp"

namespace torvex {
namespace {

TEST(TtmTrend, StepsAsTheAverageOfMidpointsBitForBit) {
    std::uint64_t seed = 23;
    for (std::uint64_t n : {1u, 2u, 14u, 30u, 100u, 1000u}) {
        const std::vector<Ohlcv> bars = testing_reference::rough_candles(seed++, 2 * n + 2000);
        SmaCore average = *SmaCore::create(n);
        std::vector<double> mids;
        std::uint64_t flat_windows = 0;
        const auto reference = [&](const Ohlcv& bar) -> std::optional<double> {
            if (!validate_candle(bar)) return std::nullopt;
            const double mid = midpoint(bar.high, bar.low);
            mids.push_back(mid);
            const std::optional<double> avg = average.step(mid);
            if (!avg) return std::nullopt;
            bool flat = true;
            for (std::size_t k = mids.size() - n; k < mids.size(); ++k) flat = flat && mids[k] == mid;
            flat_windows += flat ? 1 : 0;
            return bar.close > (flat ? mid : *avg) ? 1.0 : -1.0;
        };
        testing_reference::expect_same_bits(
            "TtmTrend", [&] { return IndicatorBox(new TtmTrend(*TtmTrend::create(n))); }, reference, bars);
        if (n == 2) {
            EXPECT_GT(flat_windows, 0u) << "n = " << n << ": the candles hold no flat window";
        }
    }
}

}  // namespace
}  // namespace torvex
