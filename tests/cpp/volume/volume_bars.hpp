// Bar builders and a series check shared by the volume-family tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "test_support.hpp"

namespace torvex::volume_test {

using Answers = std::vector<std::optional<double>>;

inline Ohlcv bar(double open, double high, double low, double close, double volume, std::int64_t ts = 0) {
    return Ohlcv{ts, open, high, low, close, volume};
}

// A bar with no range: every price equal.
inline Ohlcv flat(double price, double volume, std::int64_t ts = 0) {
    return Ohlcv{ts, price, price, price, price, volume};
}

// A bar with the given close and volume and a range of one around it.
inline Ohlcv around(double close, double volume) { return Ohlcv{0, close, close + 0.5, close - 0.5, close, volume}; }

// Feeds the bars in order; each answer must match (nothing where nothing is wanted),
// within `tol` relative to max(1, |want|).
inline void expect_answers(DynIndicator& ind, const std::vector<Ohlcv>& bars, const Answers& want,
                           double tol = 1e-12) {
    ASSERT_EQ(bars.size(), want.size());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const std::optional<double> got = test::feed(ind, bars[i]);
        ASSERT_EQ(got.has_value(), want[i].has_value()) << "bar " << i + 1;
        if (got) {
            EXPECT_NEAR(*got, *want[i], tol * std::max(1.0, std::fabs(*want[i]))) << "bar " << i + 1;
        }
    }
}

// Builds a fresh indicator from a constructor result and checks its answers.
template <class T>
void check(const char* label, std::expected<T, IndicatorError> made, const std::vector<Ohlcv>& bars,
           const Answers& want, double tol = 1e-12) {
    SCOPED_TRACE(label);
    IndicatorBox ind = test::boxed(std::move(made));
    ASSERT_TRUE(ind);
    expect_answers(*ind, bars, want, tol);
}

}  // namespace torvex::volume_test
