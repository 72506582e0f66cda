// Helpers of the whole-bar indicator tests: hand-made candles, registry builds and
// the check that a refused candle changes nothing.
#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "registry/registry.hpp"
#include "tests/cpp/test_support.hpp"

namespace torvex::test {

inline Ohlcv B(double o, double h, double l, double c, double v = 1.0) { return Ohlcv{0, o, h, l, c, v}; }

// A bar around x: open and close at x, one above and below.
inline Ohlcv around(double x) { return B(x, x + 1, x - 1, x); }

inline IndicatorBox make(const std::string& name, std::vector<double> params = {}) {
    auto built = build_indicator(name, params);
    if (!built) {
        ADD_FAILURE() << name << " does not build: " << built.error().message;
        return nullptr;
    }
    return std::move(*built);
}

// The registry's message for a refused build, or "built".
inline std::string build_message(const std::string& name, std::vector<double> params) {
    auto built = build_indicator(name, params);
    return built ? std::string("built") : built.error().message;
}

inline std::vector<std::optional<double>> feed_all(DynIndicator& ind, const std::vector<Ohlcv>& bars) {
    std::vector<std::optional<double>> out;
    for (const Ohlcv& b : bars) out.push_back(feed(ind, b));
    return out;
}

// Valid bars of a wandering market with volume, for the contract checks.
inline std::vector<Ohlcv> wandering_bars(int count) {
    std::vector<Ohlcv> bars;
    double price = 100.0;
    for (int i = 0; i < count; ++i) {
        const double open = price;
        price += 3.0 * std::sin(i * 1.3) + std::cos(i * 0.7);
        const double wick = 1.0 + std::fabs(std::sin(i * 2.1)) * 2.0;
        bars.push_back(B(open, std::max(open, price) + wick * (i % 3), std::min(open, price) - wick * (i % 4), price,
                         10.0 + (i % 5)));
    }
    return bars;
}

// Candles that break the candle rule, one per check.
inline std::vector<Ohlcv> refused_bars() {
    return {B(100, 99, 101, 100), B(NAN, 101, 99, 100), B(100, 101, 99, 102), B(100, 101, 99, 100, -1.0),
            B(100, 101, 99.5, 99), B(100, 101, 99, 100, INFINITY)};
}

// Two fresh objects fed the same valid bars, one with refused candles in between, must
// answer alike on every valid bar; no answer comes before bar `warmup()`, and (when
// `exact_first`) the first one comes exactly then. Every value must be finite.
inline void expect_refusals_change_nothing(const std::string& name, std::vector<double> params, bool exact_first) {
    SCOPED_TRACE(name);
    IndicatorBox clean = make(name, params);
    IndicatorBox dirty = make(name, params);
    ASSERT_TRUE(clean && dirty);
    const std::vector<Ohlcv> bars = wandering_bars(400);
    const std::vector<Ohlcv> refused = refused_bars();
    std::size_t first = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (i % 7 == 1) {
            EXPECT_FALSE(feed(*dirty, refused[i % refused.size()]).has_value()) << "bar " << i;
        }
        const auto want = feed(*clean, bars[i]);
        EXPECT_EQ(feed(*dirty, bars[i]), want) << "bar " << i;
        if (want) {
            if (first == 0) first = i + 1;
            EXPECT_TRUE(std::isfinite(*want)) << "bar " << i;
        }
    }
    ASSERT_NE(first, 0u);
    EXPECT_GE(first, clean->warmup());
    if (exact_first) {
        EXPECT_EQ(first, clean->warmup());
    }
}

}  // namespace torvex::test
