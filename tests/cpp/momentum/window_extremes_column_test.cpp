// MidPoint, MidPrice and WilliamsR over every road a bar can take (update() bar by
// bar, the column loop over the contiguous closes or the field columns, whole or cut
// into pieces around the window's length, the column loop over whole candles, and
// pieces of columns interleaved with single updates) against their formulas over a
// plain scan of each window, bit for bit. The scan folds the window from its oldest value with strict
// comparisons, so the oldest of equal extremes (-0.0 against +0.0) is the one kept.
// Over rough series (ties, signed zeros, flat runs, magnitudes near the largest
// double, refused bars among them) and over series with no refused bar, where the
// column loop takes the run of values at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "indicators/candle_columns.hpp"
#include "indicators/indicator.hpp"
#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

// The overflow-safe middle: halves first when either exceeds half the largest double.
double middle(double hi, double lo) {
    const double half_max = std::numeric_limits<double>::max() * 0.5;
    const bool wide = std::fabs(hi) > half_max || std::fabs(lo) > half_max;
    return wide ? hi * 0.5 + lo * 0.5 : (hi + lo) * 0.5;
}

double percent_r(double hi, double lo, double close) {
    return hi - lo == 0.0 ? -50.0 : (hi - close) * -100.0 / (hi - lo);
}

using Formula = double (*)(double highest, double lowest, double close);

// The answers of each bar: the formula over the scanned highest high and lowest low of
// the last n accepted bars (the accepted ones flagged), none before n are in.
std::vector<std::optional<double>> scanned(const std::vector<double>& highs, const std::vector<double>& lows,
                                           const std::vector<double>& closes, const std::vector<bool>& accepted,
                                           std::size_t n, Formula formula) {
    std::vector<double> hs;
    std::vector<double> ls;
    std::vector<std::optional<double>> out;
    for (std::size_t i = 0; i < highs.size(); ++i) {
        if (!accepted[i]) {
            out.push_back(std::nullopt);
            continue;
        }
        hs.push_back(highs[i]);
        ls.push_back(lows[i]);
        if (hs.size() < n) {
            out.push_back(std::nullopt);
            continue;
        }
        const std::size_t first = hs.size() - n;
        double hi = hs[first];
        double lo = ls[first];
        for (std::size_t k = first + 1; k < hs.size(); ++k) {
            hi = hs[k] > hi ? hs[k] : hi;
            lo = ls[k] < lo ? ls[k] : lo;
        }
        out.push_back(formula(hi, lo, closes[i]));
    }
    return out;
}

// Bars from rough closes: the close itself as every price where only the closes are
// read, else a valid candle around the open (a high and a low a rough step away, at
// times none, and the close at one of the three) or, where the rough value is not
// finite, a candle the candle rule refuses.
std::vector<Ohlcv> bars_of(const std::vector<double>& closes, bool candles, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::vector<Ohlcv> bars;
    for (std::size_t i = 0; i < closes.size(); ++i) {
        const double c = closes[i];
        Ohlcv b{static_cast<std::int64_t>(i) * 60'000, c, c, c, c, 1.0};
        if (candles && std::isfinite(c)) {
            // Steps that tie often, signed zeros among the lows, at times a step that
            // would leave the finite range (then none).
            const double steps[] = {0.0, 0.0, 1.0, 2.0, 0.5, 1e308};
            const double up = steps[rng() % std::size(steps)];
            const double down = steps[rng() % std::size(steps)];
            b.high = std::isfinite(c + up) ? c + up : c;
            b.low = std::isfinite(c - down) ? c - down : c;
            if (b.low == 0.0) b.low = (rng() & 1) != 0 ? -0.0 : 0.0;
            const double closes[] = {c, b.high, b.low};
            b.close = closes[rng() % 3];
        }
        bars.push_back(b);
    }
    return bars;
}

struct Roads {
    const char* name;
    bool candles;  // the candle types read the high and the low; MidPoint the close
    Formula formula;
};

void check_every_road(const Roads& type, const std::vector<double>& closes, std::uint64_t seed) {
    const std::vector<Ohlcv> bars = bars_of(closes, type.candles, seed);
    std::vector<double> highs;
    std::vector<double> lows;
    std::vector<bool> accepted;
    for (const Ohlcv& b : bars) {
        highs.push_back(type.candles ? b.high : b.close);
        lows.push_back(type.candles ? b.low : b.close);
        accepted.push_back(type.candles ? candle_is_valid(b) : std::isfinite(b.close));
    }
    std::vector<double> bar_closes;
    for (const Ohlcv& b : bars) bar_closes.push_back(b.close);
    CandleColumnStore store;
    store.resize(bars.size());
    store.fill(bars, 0, bars.size());

    for (const std::size_t n : {1u, 2u, 4u, 5u, 14u, 30u, 100u, 1000u, 4096u, 4097u}) {
        SCOPED_TRACE(std::string(type.name) + "(" + std::to_string(n) + ")");
        const std::vector<std::optional<double>> want = scanned(highs, lows, bar_closes, accepted, n, type.formula);
        const auto make = [&] {
            auto built = build_indicator(type.name, std::vector<double>{static_cast<double>(n)});
            EXPECT_TRUE(built);
            return std::move(*built);
        };

        const IndicatorBox stepped = make();
        for (std::size_t i = 0; i < bars.size(); ++i)
            ASSERT_TRUE(test::same_bits(stepped->update(BarContext(bars[i])), want[i])) << "update, bar " << i;

        // Rows [from, from + len) through the column loop, with the columns or the
        // candles alone.
        const auto run = [&](DynIndicator& ind, std::vector<double>& out, std::size_t from, std::size_t len,
                             bool columns) {
            ColumnRun column{std::span<double>(out).subspan(from, len), std::nullopt};
            const std::span<const Ohlcv> rows = std::span<const Ohlcv>(bars).subspan(from, len);
            if (columns) {
                ind.run_column(BarColumns(rows, std::span<const double>(bar_closes).subspan(from, len),
                                          store.view().subspan(from, len)),
                               column);
            } else {
                ind.run_column(BarColumns(rows), column);
            }
        };
        for (const std::size_t piece : {bars.size(), n > 1 ? n - 1 : std::size_t{3}, n, n + 1, std::size_t{7}}) {
            for (const bool columns : {true, false}) {
                const IndicatorBox ind = make();
                std::vector<double> out(bars.size(), -1.0);
                for (std::size_t from = 0; from < bars.size(); from += piece)
                    run(*ind, out, from, std::min(piece, bars.size() - from), columns);
                for (std::size_t i = 0; i < bars.size(); ++i)
                    ASSERT_TRUE(test::same_bits(out[i], want[i].value_or(0.0)))
                        << "pieces of " << piece << (columns ? " from the columns" : " from the candles") << ", bar "
                        << i;
            }
        }

        // Long and short pieces of columns with single updates between them: the state a
        // long piece leaves is stepped on, and the state single updates leave is where
        // the next long piece starts.
        const IndicatorBox mixed = make();
        std::vector<double> out(bars.size(), -1.0);
        const std::size_t sizes[] = {3 * n + 1, 5, 2 * n, 1, n + 2, n - 1 + 13};
        std::size_t k = 0;
        for (std::size_t from = 0; from < bars.size(); ++k) {
            const std::size_t len = std::min(sizes[k % std::size(sizes)], bars.size() - from);
            if (k % 2 == 0) {
                run(*mixed, out, from, len, true);
            } else {
                for (std::size_t i = from; i < from + len; ++i)
                    out[i] = mixed->update(BarContext(bars[i])).value_or(0.0);
            }
            from += len;
        }
        for (std::size_t i = 0; i < bars.size(); ++i)
            ASSERT_TRUE(test::same_bits(out[i], want[i].value_or(0.0))) << "mixed, bar " << i;
    }
}

// The closes with the refused ones left out.
std::vector<double> finite_only(const std::vector<double>& closes) {
    std::vector<double> out;
    for (double c : closes)
        if (std::isfinite(c)) out.push_back(c);
    return out;
}

// Only signed zeros, then a long fall and a long rise: which of equal extremes is kept
// shows in the sign of the middle, and the extremes sit at the oldest and the newest.
std::vector<double> zeros_and_slopes() {
    std::mt19937_64 rng(11);
    std::vector<double> out;
    for (int i = 0; i < 3000; ++i) out.push_back((rng() & 1) != 0 ? 0.0 : -0.0);
    for (int i = 0; i < 3000; ++i) out.push_back(100.0 - i * 0.25);
    for (int i = 0; i < 3000; ++i) out.push_back(i * 0.5 - 700.0);
    return out;
}

TEST(WindowExtremesColumns, EveryRoadEqualsAScanOfTheWindowBitForBit) {
    const Roads types[] = {{"MidPoint", false, [](double hi, double lo, double) { return middle(hi, lo); }},
                           {"MidPrice", true, [](double hi, double lo, double) { return middle(hi, lo); }},
                           {"WilliamsR", true, percent_r}};
    for (const Roads& type : types) {
        check_every_road(type, test::rough_closes(21, 12000), 1);
        check_every_road(type, finite_only(test::rough_closes(22, 14000)), 2);
        check_every_road(type, zeros_and_slopes(), 3);
    }
}

}  // namespace
}  // namespace torvex
