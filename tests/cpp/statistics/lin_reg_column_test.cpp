// The regression names' column loop (the sums bar by bar, the answers several bars
// at a time, the leaving value read from the close column) against update() bar by
// bar, bit for bit: over a contiguous close column whole and cut into pieces around
// the window's length (so runs start and end mid-call and the ring must be brought up
// to date between calls), and over the candles alone. The rough closes hold ties,
// signed zeros, refused closes, flat runs and values near the largest double whose
// leaving sends the sums into re-centrings; their finite part alone keeps the column
// road busy through those re-centrings.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

std::vector<std::vector<double>> series() {
    std::vector<std::vector<double>> out = {test::rough_closes(71, 6000), test::rough_closes(72, 6000, false)};
    std::vector<double> finite;
    for (const double x : test::rough_closes(73, 8000))
        if (std::isfinite(x)) finite.push_back(x);
    out.push_back(finite);
    std::vector<double> drift;
    for (int i = 0; i < 5000; ++i) drift.push_back(1e9 + 0.5 * i + ((i * 7919) % 13) * 1e-4);
    out.push_back(drift);
    return out;
}

TEST(LinRegColumn, EveryRoadEqualsUpdateBitForBit) {
    const char* names[] = {"LinRegSlope", "Tsf", "LinearRegression", "LinRegIntercept", "LinRegAngle"};
    const auto all = series();
    for (const char* name : names) {
        // 15: an odd window, whose last value the re-centrings take on its own.
        for (const std::uint64_t n : {2u, 14u, 15u, 30u, 100u, 1000u}) {
            const std::vector<double> params = {static_cast<double>(n)};
            for (std::size_t s = 0; s < all.size(); ++s) {
                SCOPED_TRACE(std::string(name) + "(" + std::to_string(n) + ") series " + std::to_string(s));
                const std::vector<double>& closes = all[s];
                std::vector<Ohlcv> bars;
                for (const double c : closes) bars.push_back(test::close_bar(c));
                auto stepped = build_indicator(name, params);
                ASSERT_TRUE(stepped);
                std::vector<double> want;
                for (const Ohlcv& b : bars) want.push_back((*stepped)->update(BarContext(b)).value_or(0.0));
                for (const std::size_t piece : {closes.size(), std::size_t{n - 1}, std::size_t{n}, std::size_t{n + 1},
                                                std::size_t{7}}) {
                    for (const bool contiguous : {true, false}) {
                        auto column = build_indicator(name, params);
                        ASSERT_TRUE(column);
                        const std::vector<double> out =
                            test::column_in_pieces(**column, bars, closes, piece, contiguous);
                        for (std::size_t i = 0; i < bars.size(); ++i)
                            ASSERT_EQ(std::bit_cast<std::uint64_t>(out[i]), std::bit_cast<std::uint64_t>(want[i]))
                                << "piece " << piece << (contiguous ? " column" : " candles") << ", bar " << i << ": "
                                << out[i] << " want " << want[i];
                    }
                }
            }
        }
    }
}

// A window of one value has no line: every name refuses it with its own text.
TEST(LinRegColumn, WindowsBelowTwoAreRefused) {
    const struct {
        const char* name;
        const char* text;
    } cases[] = {
        {"LinRegSlope", "linear regression slope needs period >= 2"},
        {"LinRegAngle", "linear regression slope needs period >= 2"},
        {"Tsf", "time series forecast needs period >= 2"},
        {"LinearRegression", "linear regression needs period >= 2"},
        {"LinRegIntercept", "linear regression intercept needs period >= 2"},
    };
    for (const auto& c : cases) {
        const std::vector<double> params = {1.0};
        auto made = build_indicator(c.name, params);
        ASSERT_FALSE(made) << c.name;
        EXPECT_EQ(made.error().kind, BuildError::Kind::Invalid) << c.name;
        EXPECT_NE(made.error().message.find(c.text), std::string::npos) << c.name << ": " << made.error().message;
    }
}

}  // namespace
}  // namespace torvex
