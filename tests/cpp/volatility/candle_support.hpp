// Bars and checks shared by the tests of the indicators over whole candles.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex::test {

inline Ohlcv candle(double open, double high, double low, double close, std::int64_t ts = 0) {
    return Ohlcv{ts, open, high, low, close, 1.0};
}

// Deterministic minute bars that trend, gap and change their range, all valid.
inline std::vector<Ohlcv> wavy_bars(std::size_t count, std::int64_t start_ts = 1'700'000'000'000) {
    std::vector<Ohlcv> bars;
    bars.reserve(count);
    double close = 100.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i);
        const double open = close * (1.0 + 0.004 * std::sin(t * 2.3));
        close = open * (1.0 + 0.01 * std::sin(t * 0.7) + 0.003 * std::cos(t * 1.9));
        const double span = 0.2 + 0.15 * std::fabs(std::sin(t * 0.37));
        const double high = std::max(open, close) + span * (1.0 + std::sin(t));
        const double low = std::min(open, close) - span * (1.0 + std::cos(t * 1.3));
        bars.push_back(Ohlcv{start_ts + 60'000 * static_cast<std::int64_t>(i), open, high, low, close, 5.0 + t});
    }
    return bars;
}

inline std::vector<std::optional<double>> feed_bars(DynIndicator& ind, const std::vector<Ohlcv>& bars) {
    std::vector<std::optional<double>> out;
    out.reserve(bars.size());
    for (const Ohlcv& b : bars) out.push_back(feed(ind, b));
    return out;
}

// One candle for each rule of the candle check, in its order.
inline std::vector<Ohlcv> refused_candles() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return {
        Ohlcv{0, nan, 2.0, 1.0, 1.5, 1.0},    // a price not finite
        Ohlcv{0, 1.5, 2.0, 1.0, 1.5, nan},    // volume not finite
        Ohlcv{0, 1.5, 2.0, 1.0, 1.5, -1.0},   // negative volume
        Ohlcv{0, 1.5, 1.0, 2.0, 1.5, 1.0},    // high below low
        Ohlcv{0, 2.5, 2.0, 1.0, 1.5, 1.0},    // high below open
        Ohlcv{0, 1.5, 2.0, 1.0, 0.5, 1.0},    // low above close
    };
}

// Builds a fresh indicator by registry name.
inline IndicatorBox make_named(const std::string& name, const std::vector<double>& params) {
    auto r = build_indicator(name, params);
    if (!r) {
        ADD_FAILURE() << name << ": " << r.error().message;
        return nullptr;
    }
    return std::move(*r);
}

// Feeds `bars` to two fresh objects, the second also getting a refused candle
// before every fifth bar: each refused candle must answer nothing and leave the
// answers of the second object equal to those of the first. With `exact_warmup`,
// the first value must come on bar warmup() exactly (else no later than that).
inline void expect_candle_contract(const std::string& name, const std::vector<double>& params,
                                   const std::vector<Ohlcv>& bars, bool exact_warmup = true) {
    SCOPED_TRACE(name);
    IndicatorBox clean = make_named(name, params);
    IndicatorBox dirty = make_named(name, params);
    ASSERT_TRUE(clean && dirty);
    const std::vector<Ohlcv> bad = refused_candles();
    std::uint64_t first = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (i % 5 == 2) {
            EXPECT_FALSE(feed(*dirty, bad[i % bad.size()])) << "refused candle before bar " << i + 1;
        }
        const std::optional<double> want = feed(*clean, bars[i]);
        const std::optional<double> got = feed(*dirty, bars[i]);
        if (want && first == 0) first = i + 1;
        ASSERT_EQ(got.has_value(), want.has_value()) << "bar " << i + 1;
        if (want) {
            ASSERT_EQ(std::isnan(*got), std::isnan(*want)) << "bar " << i + 1;
            if (!std::isnan(*want)) {
                ASSERT_EQ(*got, *want) << "bar " << i + 1;
            }
        }
    }
    ASSERT_NE(first, 0u) << "never answered";
    if (exact_warmup) {
        EXPECT_EQ(first, clean->warmup());
    } else {
        EXPECT_GE(first, clean->warmup());
    }
}

// Compares a fed series with expected answers (None where nothing is expected).
inline void expect_answers(const char* label, const std::vector<std::optional<double>>& got,
                           const std::vector<std::optional<double>>& want, double tol = 1e-12) {
    ASSERT_EQ(got.size(), want.size()) << label;
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i].has_value(), want[i].has_value()) << label << " bar " << i + 1;
        if (want[i]) {
            EXPECT_NEAR(*got[i], *want[i], tol * std::max(1.0, std::fabs(*want[i]))) << label << " bar " << i + 1;
        }
    }
}

// The display text of a registry build's refusal, or "built".
inline std::string registry_message(const std::string& name, const std::vector<double>& params) {
    auto r = build_indicator(name, params);
    return r ? std::string("built") : r.error().message;
}

}  // namespace torvex::test
