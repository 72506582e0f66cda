// UltimateOscillator and ChaikinOscillator take a run of valid candles in blocks (the
// per-bar arithmetic several bars at once, the running sums and averages alone bar by
// bar). Against update() bar by bar, whose step is the per-bar algorithm, bit for bit:
// over long runs of valid candles with ties, signed zeros, flat runs, magnitudes near
// the largest double (true ranges and lines that overflow to infinity and NaN) and a
// few refused bars, through the column loop over the field columns whole and in
// pieces around the longest window, over the candles alone, and with single updates
// between pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "indicators/candle_columns.hpp"
#include "indicators/indicator.hpp"
#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::rough_price;
using test::same_column;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Mostly valid candles in long runs: flat stretches (the bar before repeated, or one
// price for every field), and one refused candle in about `refuse_every` (a
// non-finite field, high below low, a negative volume).
std::vector<Ohlcv> run_bars(std::uint64_t seed, std::size_t count, bool huge, std::uint64_t refuse_every) {
    std::mt19937_64 rng(seed);
    std::vector<Ohlcv> bars;
    while (bars.size() < count) {
        const std::uint64_t kind = rng() % 100;
        if (kind < 15 && !bars.empty()) {
            const Ohlcv again = bars.back();
            for (std::uint64_t i = rng() % 40; i > 0 && bars.size() < count; --i) bars.push_back(again);
            continue;
        }
        Ohlcv b;
        if (kind < 20) {
            const double p = rough_price(rng, true, huge);
            b = Ohlcv{0, p, p, p, p, 1.0};
        } else {
            const double o = rough_price(rng, true, huge), c = rough_price(rng, true, huge);
            const double up = (rng() % 3 == 0) ? 0.0 : std::fabs(rough_price(rng, true, huge));
            const double down = (rng() % 3 == 0) ? 0.0 : std::fabs(rough_price(rng, true, huge));
            b = Ohlcv{0, o, std::max(o, c) + up, std::min(o, c) - down, c, 0.0};
            if (!std::isfinite(b.high)) b.high = std::max(o, c);
            if (!std::isfinite(b.low)) b.low = std::min(o, c);
            const double volumes[] = {0.0, -0.0, 3.0, 7.5, 1e300, 1.5e308};
            b.volume = volumes[rng() % (huge ? 6 : 4)];
        }
        if (refuse_every > 0 && rng() % refuse_every == 0) {
            const double bad[] = {kNaN, kInf, -kInf};
            switch (rng() % 4) {
                case 0: b.close = bad[rng() % 3]; break;
                case 1: b.high = b.low - 1.0; break;
                case 2: b.volume = -1.0; break;
                default: b.low = bad[rng() % 3]; break;
            }
        }
        bars.push_back(b);
    }
    return bars;
}

std::vector<double> by_update(DynIndicator& ind, const std::vector<Ohlcv>& bars) {
    std::vector<double> out;
    for (const Ohlcv& b : bars) out.push_back(ind.update(BarContext(b)).value_or(0.0));
    return out;
}

// Pieces of `piece` rows through the column loop (the field columns handed over, or
// the candles alone); with `single` every other piece is followed by one update().
std::vector<double> by_column(DynIndicator& ind, const std::vector<Ohlcv>& bars, std::size_t piece, bool columns,
                              bool single) {
    std::vector<double> closes;
    for (const Ohlcv& b : bars) closes.push_back(b.close);
    CandleColumnStore store;
    store.resize(bars.size());
    store.fill(bars, 0, bars.size());
    std::vector<double> out(bars.size(), 12345.0);
    std::size_t first = 0;
    for (std::size_t turn = 0; first < bars.size(); ++turn) {
        if (single && turn % 2 == 1) {
            out[first] = ind.update(BarContext(bars[first])).value_or(0.0);
            first += 1;
            continue;
        }
        const std::size_t n = std::min(piece, bars.size() - first);
        const std::span<const Ohlcv> rows = std::span<const Ohlcv>(bars).subspan(first, n);
        ColumnRun run{std::span<double>(out).subspan(first, n), std::nullopt};
        if (columns) {
            ind.run_column(
                BarColumns(rows, std::span<const double>(closes).subspan(first, n), store.view().subspan(first, n)),
                run);
        } else {
            ind.run_column(BarColumns(rows), run);
        }
        first += n;
    }
    return out;
}

struct Case {
    const char* name;
    std::vector<double> params;
    std::size_t longest;  // the longest window: pieces are cut around it
};

TEST(CandleRunOscillators, BlocksEqualUpdateBitForBit) {
    const Case cases[] = {
        {"UltimateOscillator", {7, 14, 28}, 28}, {"UltimateOscillator", {1, 1, 1}, 1},
        {"UltimateOscillator", {1, 2, 14}, 14},  {"UltimateOscillator", {30, 2, 14}, 30},
        {"UltimateOscillator", {5, 300, 40}, 300}, {"ChaikinOscillator", {3, 10}, 10},
        {"ChaikinOscillator", {1, 2}, 2},        {"ChaikinOscillator", {14, 30}, 30},
    };
    const std::size_t lengths[] = {1, 2, 14, 30, 100, 1000, 3000};
    for (const Case& c : cases) {
        for (const std::size_t n : lengths) {
            for (std::uint64_t seed = 1; seed <= 6; ++seed) {
                const bool huge = seed % 2 == 0;
                // No refused bar in the first two series: the run is the whole column.
                const std::uint64_t refuse_every = seed <= 2 ? 0 : 400;
                SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.params[0]) + " n=" + std::to_string(n) +
                             " seed=" + std::to_string(seed));
                const std::vector<Ohlcv> bars = run_bars(seed * 104729 + n, n, huge, refuse_every);
                auto reference = build_indicator(c.name, c.params);
                ASSERT_TRUE(reference);
                const std::vector<double> want = by_update(**reference, bars);
                const std::size_t pieces[] = {bars.size(), std::max<std::size_t>(c.longest, 2) - 1,
                                              c.longest, c.longest + 1, c.longest + 2, 7, 1000};
                for (const std::size_t piece : pieces) {
                    for (const bool single : {false, true}) {
                        auto ind = build_indicator(c.name, c.params);
                        ASSERT_TRUE(ind);
                        EXPECT_TRUE(same_column(by_column(**ind, bars, std::max<std::size_t>(piece, 1), true, single),
                                              want))
                            << "columns, pieces of " << piece << (single ? " with single updates" : "");
                    }
                }
                auto candles = build_indicator(c.name, c.params);
                ASSERT_TRUE(candles);
                EXPECT_TRUE(same_column(by_column(**candles, bars, bars.size(), false, false), want)) << "candles alone";
            }
        }
    }
}

// The series above reach the cases the blocks must keep: answers on most bars,
// windows gone flat (a 0.5 ratio, so 50), and lines that overflow (ChaikinOscillator
// answers nothing from then on).
TEST(CandleRunOscillators, SeriesReachTheEdgeCases) {
    const std::vector<double> ult_params = {7, 14, 28};
    const std::vector<double> chaikin_params = {3, 10};
    auto ult = build_indicator("UltimateOscillator", ult_params);
    auto chaikin = build_indicator("ChaikinOscillator", chaikin_params);
    ASSERT_TRUE(ult && chaikin);
    const std::vector<Ohlcv> bars = run_bars(2 * 104729 + 3000, 3000, true, 0);
    const std::vector<double> u = by_update(**ult, bars);
    const std::vector<double> ch = by_update(**chaikin, bars);
    EXPECT_GT(std::count(u.begin(), u.end(), 50.0), 0);
    EXPECT_GT(std::count_if(u.begin(), u.end(), [](double v) { return v != 0.0 && v != 50.0; }), 100);
    EXPECT_GT(std::count_if(ch.begin(), ch.end(), [](double v) { return v != 0.0; }), 10);
}

}  // namespace
}  // namespace torvex
