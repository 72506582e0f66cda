// Variance and StdDev through their column loop against stepping bar by bar, bit
// for bit: over a contiguous close column (whole and cut into pieces around the
// window length, so runs start and end mid-window and the ring is carried from call
// to call) and over the candles alone. The series hold ties, signed zeros, flat
// runs, refused closes, and magnitudes near the largest double whose leaving makes
// the window re-centre off its schedule; the finite ones keep long runs in the
// column loop's fast road.
#include <gtest/gtest.h>

#include <algorithm>
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

// The rough closes with every refused close replaced by the finite one before it.
std::vector<double> finite_only(std::vector<double> closes) {
    double last = 1.0;
    for (double& x : closes) {
        if (std::isfinite(x)) last = x;
        else x = last;
    }
    return closes;
}

// Long finite runs with a refused close now and then.
std::vector<double> sparse_refusals(std::vector<double> closes) {
    for (std::size_t i = 0; i < closes.size(); ++i) {
        if (i % 997 == 500) closes[i] = NAN;
        if (i % 1499 == 700) closes[i] = -INFINITY;
    }
    return closes;
}

// A slow drift far from zero with a small spread: the shifted sums' anchor matters.
std::vector<double> far_from_zero(std::size_t count) {
    std::vector<double> out;
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(1e9 + static_cast<double>(i) * 0.37 + std::ldexp(static_cast<double>((i * 7919) % 101), -9));
    return out;
}

TEST(VarianceColumn, EveryRoadEqualsSteppingBitForBit) {
    const std::vector<std::vector<double>> series = {
        test::rough_closes(71, 6000),
        test::rough_closes(72, 6000, false),
        finite_only(test::rough_closes(73, 6000)),
        finite_only(test::rough_closes(74, 6000, false)),
        sparse_refusals(finite_only(test::rough_closes(75, 6000))),
        far_from_zero(6000),
    };
    // 15: an odd window, whose last value the re-centrings take on its own.
    for (const std::uint64_t n : {1u, 2u, 14u, 15u, 20u, 30u, 100u, 1000u}) {
        for (std::size_t s = 0; s < series.size(); ++s) {
            const std::vector<double>& closes = series[s];
            std::vector<Ohlcv> bars;
            for (const double c : closes) bars.push_back(Ohlcv{0, c, c, c, c, 1.0});
            for (const char* name : {"Variance", "StdDev"}) {
                SCOPED_TRACE(std::string(name) + "(" + std::to_string(n) + ") series " + std::to_string(s));
                const std::vector<double> params = {static_cast<double>(n)};
                auto stepped = build_indicator(name, params);
                ASSERT_TRUE(stepped);
                std::vector<std::optional<double>> want;
                for (const Ohlcv& bar : bars) want.push_back((*stepped)->update(BarContext(bar)));
                std::size_t values = 0;
                for (const auto& w : want) values += w.has_value();
                ASSERT_GT(values, 0u);

                const std::size_t sizes[] = {closes.size(), n > 1 ? n - 1 : 1, n, n + 1, 7};
                for (const std::size_t piece : sizes) {
                    for (const bool contiguous : {true, false}) {
                        auto column = build_indicator(name, params);
                        ASSERT_TRUE(column);
                        const std::vector<double> out = test::column_in_pieces(**column, bars, closes, piece, contiguous);
                        for (std::size_t i = 0; i < bars.size(); ++i)
                            ASSERT_TRUE(test::same_bits(out[i], want[i].value_or(0.0)))
                                << "piece " << piece << (contiguous ? " column" : " candles") << ", bar " << i;
                        // The state left behind is the stepped one: a few more bars agree.
                        for (std::size_t i = 0; i < 3 * n + 5 && i < bars.size(); ++i) {
                            const Ohlcv& bar = bars[(i * 13) % bars.size()];
                            ASSERT_TRUE(test::same_bits((*column)->update(BarContext(bar)),
                                                        (*stepped)->update(BarContext(bar))))
                                << "after piece " << piece << (contiguous ? " column" : " candles") << ", bar " << i;
                        }
                        // Bring the stepped reference back in line for the next road.
                        stepped = build_indicator(name, params);
                        ASSERT_TRUE(stepped);
                        for (const Ohlcv& bar : bars) (*stepped)->update(BarContext(bar));
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace torvex
