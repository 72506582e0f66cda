// Bit-for-bit comparison of an indicator with a reference implementation of the same
// arithmetic (typically the step it replaced), through both roads the environment
// takes: update() bar by bar, and run_column() over the whole series.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <span>
#include <vector>

#include "indicators/indicator.hpp"
#include "test_support.hpp"

namespace torvex::testing_reference {

// Candles around a rough close series: ties, flat runs, signed zeros, huge values and
// refused bars (a non-finite close, or a broken high/low rule).
inline std::vector<Ohlcv> rough_candles(std::uint64_t seed, std::size_t count) {
    const std::vector<double> closes = test::rough_closes(seed, count);
    std::mt19937_64 rng(seed ^ 0x9e3779b97f4a7c15ull);
    std::vector<Ohlcv> bars;
    bars.reserve(count);
    double prev = 1.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double c = closes[i];
        const double o = std::isfinite(c) && rng() % 3 != 0 ? prev : c;
        const double spread = static_cast<double>(rng() % 4) * 0.5;
        double hi = std::fmax(o, c) + spread;
        double lo = std::fmin(o, c) - (rng() % 2 == 0 ? spread : 0.0);
        if (!std::isfinite(hi) || !std::isfinite(lo)) {
            hi = std::fmax(o, c);
            lo = std::fmin(o, c);
        }
        if (rng() % 97 == 0) std::swap(hi, lo);  // breaks the candle rule when they differ
        const double volume = rng() % 11 == 0 ? 0.0 : static_cast<double>(rng() % 1000) * 0.25;
        bars.push_back(Ohlcv{static_cast<std::int64_t>(i), o, hi, lo, c, volume});
        if (std::isfinite(c)) prev = c;
    }
    return bars;
}

// Feeds `bars` to `subject` through update() and to a fresh one through run_column();
// `reference(bar)` gives what each bar must answer. Every value is compared by its bits.
inline void expect_same_bits(const char* label, const std::function<IndicatorBox()>& make,
                             const std::function<std::optional<double>(const Ohlcv&)>& reference,
                             std::span<const Ohlcv> bars) {
    IndicatorBox stepped = make();
    IndicatorBox column = make();
    std::vector<double> want(bars.size());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const std::optional<double> expected = reference(bars[i]);
        ASSERT_TRUE(test::same_bits(stepped->update(BarContext(bars[i])), expected)) << label << " update, bar " << i;
        want[i] = expected.value_or(0.0);
    }
    std::vector<double> got(bars.size(), -1.0);
    ColumnRun run{got, std::nullopt};
    column->run_column(BarColumns(bars), run);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(got[i]), std::bit_cast<std::uint64_t>(want[i]))
            << label << " run_column, bar " << i << ": " << got[i] << " vs " << want[i];
    }
}

}  // namespace torvex::testing_reference
