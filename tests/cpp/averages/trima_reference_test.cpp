// Trima against two chained simple averages of lengths n - floor(n/2) and
// floor(n/2) + 1, each stepped on its own, bit for bit.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "indicators/averages/trima.hpp"
#include "indicators/cores/sma_core.hpp"
#include "reference_compare.hpp"

namespace torvex {
namespace {

TEST(Trima, StepsAsTwoChainedSimpleAveragesBitForBit) {
    std::uint64_t seed = 5;
    for (std::uint64_t n : {1u, 2u, 3u, 14u, 15u, 30u, 100u, 1000u}) {
        const std::vector<Ohlcv> bars = testing_reference::rough_candles(seed++, 3 * n + 2000);
        SmaCore first = *SmaCore::create(n - n / 2);
        SmaCore second = *SmaCore::create(n / 2 + 1);
        const auto reference = [&](const Ohlcv& bar) -> std::optional<double> {
            if (!is_finite(bar.close)) return std::nullopt;
            const std::optional<double> inner = first.step(bar.close);
            return inner ? second.step(*inner) : std::nullopt;
        };
        testing_reference::expect_same_bits(
            "Trima", [&] { return IndicatorBox(new Trima(*Trima::create(n))); }, reference, bars);
    }
}

}  // namespace
}  // namespace torvex
