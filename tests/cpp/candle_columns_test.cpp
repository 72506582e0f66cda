// The candle loops that read separate field columns: against update() bar by bar and
// against the loop over whole candles, bit for bit, on rough bars (invalid candles,
// signed zeros, flat runs, huge magnitudes), fed in one call and in chunks; and the
// branch-free one-bar formulas and on-balance volume against their earlier branching
// forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "indicators/candle_columns.hpp"
#include "indicators/cores/compensated_sum.hpp"
#include "indicators/indicator.hpp"
#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::rough_price;
using test::same_column;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Bars of every kind the candle rule meets: most are well formed (high at or above
// open and close, low at or below), some repeat the bar before (flat runs), and the
// rest break one rule or another (a non-finite field, high below low, a volume below
// zero or not finite).
std::vector<Ohlcv> rough_bars(std::uint64_t seed, std::size_t count) {
    std::mt19937_64 rng(seed);
    std::vector<Ohlcv> bars;
    bars.reserve(count);
    while (bars.size() < count) {
        const std::uint64_t kind = rng() % 100;
        if (kind < 12 && !bars.empty()) {
            bars.push_back(bars.back());
            continue;
        }
        Ohlcv b;
        b.ts = static_cast<std::int64_t>(bars.size()) * 60'000;
        if (kind < 75) {
            const double o = rough_price(rng, true), c = rough_price(rng, true);
            const double up = (rng() % 3 == 0) ? 0.0 : std::fabs(rough_price(rng, true));
            const double down = (rng() % 3 == 0) ? 0.0 : std::fabs(rough_price(rng, true));
            b.open = o;
            b.close = c;
            b.high = std::max(o, c) + up;
            b.low = std::min(o, c) - down;
            if (!std::isfinite(b.high)) b.high = std::max(o, c);
            if (!std::isfinite(b.low)) b.low = std::min(o, c);
        } else {
            b.open = rough_price(rng, false);
            b.high = rough_price(rng, false);
            b.low = rough_price(rng, false);
            b.close = rough_price(rng, false);
        }
        // Volumes near the largest double make the cumulative lines overflow.
        const double volumes[] = {0.0, -0.0, 3.0, 7.5, 1e300, 1.5e308, -1.0, -1e-300, kNaN, kInf};
        b.volume = volumes[rng() % (kind < 75 ? 6 : std::size(volumes))];
        bars.push_back(b);
    }
    return bars;
}

std::vector<double> closes_of(const std::vector<Ohlcv>& bars) {
    std::vector<double> c;
    for (const Ohlcv& b : bars) c.push_back(b.close);
    return c;
}

// update() on every bar, an answer of nothing written as 0.0, as a column holds it.
std::vector<double> by_update(DynIndicator& ind, const std::vector<Ohlcv>& bars) {
    std::vector<double> out;
    for (const Ohlcv& b : bars) out.push_back(ind.update(BarContext(b)).value_or(0.0));
    return out;
}

// run_column over the bars in pieces of `piece` rows; with `columns` the closes and
// the candle columns are handed over, else the candles alone.
std::vector<double> by_column(DynIndicator& ind, const std::vector<Ohlcv>& bars, std::size_t piece, bool columns) {
    const std::vector<double> closes = closes_of(bars);
    CandleColumnStore store;
    store.resize(bars.size());
    store.fill(bars, 0, bars.size());
    std::vector<double> out(bars.size(), 12345.0);
    for (std::size_t first = 0; first < bars.size(); first += piece) {
        const std::size_t n = std::min(piece, bars.size() - first);
        const std::span<const Ohlcv> rows = std::span<const Ohlcv>(bars).subspan(first, n);
        ColumnRun run{std::span<double>(out).subspan(first, n), std::nullopt};
        if (columns) {
            ind.run_column(BarColumns(rows, std::span<const double>(closes).subspan(first, n),
                                      store.view().subspan(first, n)),
                           run);
        } else {
            ind.run_column(BarColumns(rows), run);
        }
    }
    return out;
}

struct Named {
    const char* name;
    std::vector<double> params;
};

// Every type whose loop reads the field columns.
const Named kColumnReaders[] = {
    {"MedianPrice", {}},  {"TypicalPrice", {}},        {"WeightedClose", {}},    {"AvgPrice", {}},
    {"BalanceOfPower", {}}, {"WickRatio", {}},         {"HighLowRange", {}},     {"CloseVsOpen", {}},
    {"BodySizePct", {}},  {"IntradayIntensity", {}},   {"MarketFacilitationIndex", {}},
    {"TrueRange", {}},    {"Atr", {1}},                {"Atr", {2}},             {"Atr", {14}},
    {"Atr", {100}},       {"Natr", {1}},               {"Natr", {14}},           {"Natr", {30}},
    {"Obv", {}},          {"MidPrice", {1}},           {"MidPrice", {14}},       {"MidPrice", {1000}},
    {"WilliamsR", {1}},   {"WilliamsR", {14}},         {"WilliamsR", {30}},      {"WilliamsR", {1000}},
    {"ChaikinOscillator", {1, 2}}, {"ChaikinOscillator", {3, 10}}, {"ChaikinOscillator", {14, 30}},
    {"Mfi", {1}},         {"Mfi", {2}},                {"Mfi", {14}},            {"Mfi", {100}},
    {"UltimateOscillator", {1, 1, 1}}, {"UltimateOscillator", {7, 14, 28}}, {"UltimateOscillator", {30, 2, 14}},
};

TEST(CandleColumns, ColumnLoopsEqualUpdateAndCandleLoopBitForBit) {
    const std::size_t lengths[] = {1, 2, 14, 30, 100, 1000};
    for (const Named& t : kColumnReaders) {
        for (const std::size_t n : lengths) {
            for (std::uint64_t seed = 1; seed <= 4; ++seed) {
                SCOPED_TRACE(std::string(t.name) + " n=" + std::to_string(n) + " seed=" + std::to_string(seed));
                std::vector<Ohlcv> bars = rough_bars(seed * 7919 + n, n);
                // One series of valid candles only: the loop that tests none of them.
                if (seed == 4) std::erase_if(bars, [](const Ohlcv& b) { return !candle_is_valid(b); });
                auto a = build_indicator(t.name, t.params);
                auto b = build_indicator(t.name, t.params);
                auto c = build_indicator(t.name, t.params);
                auto d = build_indicator(t.name, t.params);
                ASSERT_TRUE(a && b && c && d);
                EXPECT_TRUE((*c)->reads_candle_columns());
                const std::vector<double> want = by_update(**a, bars);
                EXPECT_TRUE(same_column(by_column(**b, bars, bars.size(), false), want)) << "candles alone";
                EXPECT_TRUE(same_column(by_column(**c, bars, bars.size(), true), want)) << "columns, one call";
                // State carried from one call to the next.
                const std::size_t piece = 1 + static_cast<std::size_t>(seed * 13) % std::max<std::size_t>(bars.size(), 1);
                EXPECT_TRUE(same_column(by_column(**d, bars, piece, true), want)) << "columns, pieces of " << piece;
            }
        }
    }
}

// Worked by hand from each definition, through the column loop with the columns
// handed over: a refused bar answers 0.0 and leaves the state as it was.
// The store's rows are the candles' fields bit for bit, and its validity byte is the
// candle rule's answer, over bars that break the rule every way, filled in pieces.
TEST(CandleColumns, StoreRowsAreTheFieldsAndTheRule) {
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        const std::vector<Ohlcv> bars = rough_bars(seed, 3000);
        CandleColumnStore store;
        store.resize(bars.size());
        for (std::size_t from = 0; from < bars.size(); from += 7) store.fill(bars, from, std::min(bars.size(), from + 7));
        const CandleColumns c = store.view();
        std::size_t refused = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(std::bit_cast<std::uint64_t>(c.open[i]), std::bit_cast<std::uint64_t>(bars[i].open));
            EXPECT_EQ(std::bit_cast<std::uint64_t>(c.high[i]), std::bit_cast<std::uint64_t>(bars[i].high));
            EXPECT_EQ(std::bit_cast<std::uint64_t>(c.low[i]), std::bit_cast<std::uint64_t>(bars[i].low));
            EXPECT_EQ(std::bit_cast<std::uint64_t>(c.volume[i]), std::bit_cast<std::uint64_t>(bars[i].volume));
            ASSERT_EQ(c.valid[i], candle_is_valid(bars[i]) ? 1 : 0);
            refused += c.valid[i] == 0 ? 1 : 0;
        }
        EXPECT_GT(refused, 0u);  // the rule was met both ways
        EXPECT_LT(refused, bars.size());
    }
}

TEST(CandleColumns, ColumnLoopKnownValues) {
    const Ohlcv broken{0, 10, 8, 12, 9, 1};  // high below low
    struct Case {
        const char* name;
        std::vector<double> params;
        std::vector<Ohlcv> bars;
        std::vector<double> want;
    };
    const Case cases[] = {
        {"MedianPrice", {}, {{0, 10, 12, 8, 9, 1}, broken}, {10.0, 0.0}},
        {"AvgPrice", {}, {{0, 10, 12, 8, 9, 1}}, {9.75}},
        {"BalanceOfPower", {}, {{0, 10, 12, 8, 9, 1}, {0, 5, 5, 5, 5, 0}, broken}, {-0.25, 0.0, 0.0}},
        {"TypicalPrice", {}, {{0, 10, 12, 8, 10, 1}}, {10.0}},
        {"WeightedClose", {}, {{0, 10, 12, 8, 11, 1}}, {10.5}},
        // The gap from the previous close counts; the refused bar's close does not.
        {"TrueRange", {}, {{0, 5, 6, 4, 5, 1}, {0, 10, 8, 12, 100, 1}, {0, 11, 12, 10, 11, 1}}, {2.0, 0.0, 7.0}},
        {"Atr", {2}, {{0, 5, 6, 4, 5, 1}, broken, {0, 11, 12, 10, 11, 1}, {0, 11, 12, 10, 11, 1}},
         {0.0, 0.0, 4.5, 3.25}},
        {"Natr", {1}, {{0, 5, 6, 4, 5, 1}, {0, 0, 1, 0, 0, 1}}, {40.0, 0.0}},
        // Closes 10, 11, 11, 10 with volumes 5, 7, 9, 4, a refused bar among them.
        {"Obv",
         {},
         {{0, 10, 10, 10, 10, 5}, {0, 11, 11, 11, 11, 7}, {0, 30, 30, 30, 30, -1}, {0, 11, 11, 11, 11, 9},
          {0, 10, 10, 10, 10, 4}},
         {0.0, 7.0, 0.0, 7.0, 3.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto ind = build_indicator(c.name, c.params);
        ASSERT_TRUE(ind);
        EXPECT_TRUE(same_column(by_column(**ind, c.bars, c.bars.size(), true), c.want));
    }
}

// The columns are read only when every one of them, the closes included, covers the
// candles; otherwise the loop takes the candles, and the answers are the same.
TEST(CandleColumns, ColumnsThatDoNotCoverTheCandlesAreNotRead) {
    const std::vector<Ohlcv> bars = {{0, 10, 12, 8, 9, 1}, {0, 9, 9, 7, 8, 2}};
    const std::vector<double> closes = closes_of(bars);
    CandleColumnStore store;
    store.resize(3);
    store.fill(std::vector<Ohlcv>{bars[0], bars[1], bars[1]}, 0, 3);
    const CandleColumns whole = store.view().subspan(0, 2);
    CandleColumns short_valid = whole;
    short_valid.valid = short_valid.valid.first(1);
    EXPECT_TRUE(BarColumns(bars, closes, whole).has_candle_columns());
    EXPECT_FALSE(BarColumns(bars, {}, whole).has_candle_columns());
    EXPECT_FALSE(BarColumns(bars, closes, short_valid).has_candle_columns());
    EXPECT_FALSE(BarColumns(bars, closes, store.view()).has_candle_columns());
    EXPECT_FALSE(BarColumns(bars, closes).has_candle_columns());
    // A loop that does not read them says so: the load builds them for none of these.
    for (const Named& t : {Named{"Sma", {5}}, Named{"ChaikinMoneyFlow", {14}}, Named{"BollingerBands", {20, 2}}}) {
        auto ind = build_indicator(t.name, t.params);
        ASSERT_TRUE(ind);
        EXPECT_FALSE((*ind)->reads_candle_columns()) << t.name;
    }
}

// The formulas as they were written with branches before the column loops: the
// current ones must give the same bits on every valid bar.
namespace branching {

double midpoint(double a, double b) {
    if (std::fabs(a) <= 8.988465674311579e307 && std::fabs(b) <= 8.988465674311579e307) return (a + b) * 0.5;
    return a * 0.5 + b * 0.5;
}

std::optional<double> formula(const std::string& name, const Ohlcv& b) {
    const double r = b.high - b.low;
    if (name == "MedianPrice") return midpoint(b.high, b.low);
    if (name == "WickRatio") {
        if (r == 0.0) return 0.0;
        return ((b.high - std::max(b.open, b.close)) - (std::min(b.open, b.close) - b.low)) / r;
    }
    if (name == "HighLowRange") {
        if (b.close == 0.0) return 0.0;
        return r / b.close;
    }
    if (name == "CloseVsOpen") {
        if (b.open == 0.0) return 0.0;
        return (b.close - b.open) / b.open;
    }
    if (name == "BodySizePct") {
        if (r == 0.0) return 0.0;
        return std::fabs(b.close - b.open) / r;
    }
    if (name == "BalanceOfPower") {
        if (r == 0.0) return 0.0;
        return (b.close - b.open) / r;
    }
    if (name == "IntradayIntensity") {
        if (!(r > 0.0)) return 0.0;
        return (b.volume * (((b.close + b.close) - b.high) - b.low)) / r;
    }
    if (name == "MarketFacilitationIndex") {
        if (b.volume == 0.0) return std::nullopt;
        return r / b.volume;
    }
    ADD_FAILURE() << "no formula for " << name;
    return std::nullopt;
}

// On-balance volume that adds the volume only on a move, by a branch on the direction.
struct Obv {
    std::optional<double> prev;
    CompensatedSum line;

    double step(const Ohlcv& b) {
        if (prev) {
            if (b.close > *prev) {
                line.add(b.volume);
            } else if (b.close < *prev) {
                line.add(-b.volume);
            }
        }
        prev = b.close;
        return line.value();
    }
};

}  // namespace branching

TEST(CandleColumns, BranchFreeFormulasEqualTheBranchingOnes) {
    const char* names[] = {"MedianPrice",  "WickRatio",      "HighLowRange",      "CloseVsOpen",
                           "BodySizePct",  "BalanceOfPower", "IntradayIntensity", "MarketFacilitationIndex"};
    // Plain-sized volumes too, so that the line of Obv crosses zero and the error
    // term comes from either operand.
    std::vector<Ohlcv> bars = rough_bars(99, 4000);
    for (std::size_t i = 0; i < bars.size(); i += 3) bars[i].volume = static_cast<double>(i % 11);
    for (const char* name : names) {
        SCOPED_TRACE(name);
        auto ind = build_indicator(name, {});
        ASSERT_TRUE(ind);
        for (const Ohlcv& b : bars) {
            const std::optional<double> want = validate_candle(b) ? branching::formula(name, b) : std::nullopt;
            ASSERT_TRUE(test::same_bits((*ind)->update(BarContext(b)), want));
        }
    }
    auto obv = build_indicator("Obv", {});
    ASSERT_TRUE(obv);
    branching::Obv before;
    for (const Ohlcv& b : bars) {
        const std::optional<double> want = validate_candle(b) ? std::optional<double>(before.step(b)) : std::nullopt;
        ASSERT_TRUE(test::same_bits((*obv)->update(BarContext(b)), want));
    }
}

}  // namespace
}  // namespace torvex
