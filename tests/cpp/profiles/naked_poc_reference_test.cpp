// NakedPoc through the registry against a plain list of naked points that is
// filtered and scanned whole on every bar: every answer agrees bit for bit over
// rough bars with ties between points, equal distances, signed zeros, flat and
// invalid bars and ranges too wide to subtract.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/price_grid.hpp"
#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

// Bars on a grid of halves near zero, so points of control repeat and closes fall
// halfway between two of them; a few flat bars at ±0.0, bars without volume, bars
// the candle rule refuses, and bars spanning ±1e308 (an infinite width).
std::vector<Ohlcv> rough_bars(std::uint64_t seed, std::size_t count) {
    std::mt19937_64 rng(seed);
    std::vector<Ohlcv> out;
    out.reserve(count);
    double level = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        level = std::clamp(level + static_cast<double>(static_cast<int>(rng() % 5) - 2) * 0.5, -6.0, 6.0);
        const std::uint64_t pick = rng() % 100;
        const double volume = static_cast<double>(rng() % 3) * 1.25;
        const std::int64_t ts = static_cast<std::int64_t>(i) * 60'000;
        if (pick < 5) {
            out.push_back({ts, level, level, level, NAN, volume});
        } else if (pick < 8) {
            out.push_back({ts, level, level - 1.0, level, level, volume});  // high below low
        } else if (pick < 10) {
            out.push_back({ts, 0.0, 1e308, -1e308, static_cast<double>(rng() % 3) - 1.0, volume});
        } else if (pick < 18) {
            const double z = (rng() & 1) != 0 ? -0.0 : 0.0;
            out.push_back({ts, z, z, z, z, volume});
        } else {
            const double low = level - static_cast<double>(rng() % 3) * 0.5;
            const double high = level + static_cast<double>(rng() % 3) * 0.5;
            const double at[] = {low, level, high};
            out.push_back({ts, at[rng() % 3], high, low, at[rng() % 3], volume});
        }
    }
    return out;
}

// The list as the points were made, oldest first.
class PlainNakedPoc {
public:
    PlainNakedPoc(std::uint64_t n, std::uint64_t bins) : block_(n), bins_(bins) {}

    std::optional<double> update(const Ohlcv& bar) {
        if (!validate_candle(bar)) return std::nullopt;
        std::erase_if(naked_, [&](double p) { return bar.low <= p && p <= bar.high; });
        block_.push_back(bar);
        if (block_.full()) {
            const PriceGrid grid = PriceGrid::over(block_, bins_);
            double poc = grid.lo();
            if (grid.has_range()) {
                fill_volume_profile(grid, block_, bins_, profile_);
                poc = grid.lo() + grid.width() * (static_cast<double>(point_of_control(profile_)) + 0.5);
            }
            naked_.push_back(poc);
            block_.clear();
            seen_ = true;
        }
        if (!seen_) return std::nullopt;
        if (naked_.empty()) return bar.close;
        double nearest = naked_.front();
        double distance = std::fabs(nearest - bar.close);
        for (double p : naked_) {
            const double d = std::fabs(p - bar.close);
            if (d < distance) {
                nearest = p;
                distance = d;
            }
        }
        return nearest;
    }

private:
    FixedRing<Ohlcv> block_;
    std::uint64_t bins_;
    std::vector<double> naked_;
    std::vector<double> profile_;
    bool seen_ = false;
};

TEST(NakedPocReference, EveryAnswerMatchesThePlainListBitForBit) {
    std::uint64_t seed = 11;
    for (std::uint64_t n : {1, 2, 14, 30, 100, 1000}) {
        for (std::uint64_t bins : {1, 3, 24}) {
            const std::string label = "NakedPoc(" + std::to_string(n) + "," + std::to_string(bins) + ")";
            auto built = build_indicator("NakedPoc", std::vector<double>{static_cast<double>(n),
                                                                         static_cast<double>(bins)});
            ASSERT_TRUE(built.has_value()) << label;
            PlainNakedPoc plain(n, bins);
            std::size_t points_answered = 0;
            for (const Ohlcv& bar : rough_bars(seed++, 4 * n + 600)) {
                const std::optional<double> want = plain.update(bar);
                ASSERT_TRUE(test::same_bits(test::feed(**built, bar), want))
                    << label << " bar at " << bar.ts << " close " << bar.close;
                points_answered += want && *want != bar.close ? 1 : 0;
            }
            EXPECT_GT(points_answered, 0u) << label;  // some answers come from a point, not the close
        }
    }
}

// Trends that leave their points behind (the price beyond every point, above or below
// them), turning now and then so that a bar sweeps back through many of them, with
// flat stretches on the last point; fed bar by bar and as one column.
TEST(NakedPocReference, TrendsThatLeaveThePointsBehindMatchThePlainList) {
    std::mt19937_64 rng(5);
    for (std::uint64_t n : {1, 2, 14, 30}) {
        for (const double slope : {1.0, -1.0, 0.25}) {
            std::vector<Ohlcv> bars;
            double p = 0.0, dir = slope;
            for (std::size_t i = 0; i < 3000; ++i) {
                if (rng() % 400 == 0) dir = -dir;  // a turn: the way back touches the points
                if (rng() % 50 != 0) p += dir;     // now and then a bar that stays put
                const double reach = rng() % 200 == 0 ? 40.0 : 0.25;
                bars.push_back({static_cast<std::int64_t>(i) * 60'000, p, p + reach, p - reach, p,
                                static_cast<double>(1 + rng() % 7)});
            }
            const std::vector<double> params{static_cast<double>(n), 24.0};
            const std::string label = "NakedPoc(" + std::to_string(n) + ",24) slope " + std::to_string(slope);
            auto stepped = build_indicator("NakedPoc", params);
            auto columned = build_indicator("NakedPoc", params);
            ASSERT_TRUE(stepped && columned) << label;
            PlainNakedPoc plain(n, 24);
            std::vector<double> column(bars.size(), 12345.0);
            ColumnRun run{column, std::nullopt};
            (*columned)->run_column(BarColumns(bars), run);
            std::size_t points_answered = 0;
            for (std::size_t i = 0; i < bars.size(); ++i) {
                const std::optional<double> want = plain.update(bars[i]);
                ASSERT_TRUE(test::same_bits(test::feed(**stepped, bars[i]), want)) << label << " bar " << i;
                ASSERT_TRUE(test::same_bits(column[i], want.value_or(0.0))) << label << " column bar " << i;
                points_answered += want && *want != bars[i].close ? 1 : 0;
            }
            EXPECT_GT(points_answered, 0u) << label;
        }
    }
}

}  // namespace
}  // namespace torvex
