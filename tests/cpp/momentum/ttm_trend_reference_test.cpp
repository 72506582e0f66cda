// TtmTrend against a simple average of the bar midpoints stepped on its own, bit for
// bit: +1 where the close is above the average, -1 otherwise.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

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
        const auto reference = [&](const Ohlcv& bar) -> std::optional<double> {
            if (!validate_candle(bar)) return std::nullopt;
            const std::optional<double> avg = average.step(midpoint(bar.high, bar.low));
            if (!avg) return std::nullopt;
            return bar.close > *avg ? 1.0 : -1.0;
        };
        testing_reference::expect_same_bits(
            "TtmTrend", [&] { return IndicatorBox(new TtmTrend(*TtmTrend::create(n))); }, reference, bars);
    }
}

}  // namespace
}  // namespace torvex
