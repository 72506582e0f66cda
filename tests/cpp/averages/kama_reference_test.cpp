// Kama against its definition worked bar by bar: a window of n + 1 closes whose
// volatility is re-added from -0.0 over the n changes, oldest first, on every bar,
// bit for bit on rough series (ties, flat runs, signed zeros, huge closes whose
// changes overflow, refused closes). The column over a contiguous close column
// (windows of whole blocks of bars worked out side by side) is held to the same
// definition: whole and cut into pieces of sizes around the period and around a
// block (so the rings carry the window from piece to piece, and a run of blocks
// ends anywhere in it), and through the candles alone; over rough closes, over
// finite ones only (with and without huge closes), where the block road is taken,
// and over finite ones with a refused close now and then, which ends a run of blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "indicators/averages/kama.hpp"
#include "reference_compare.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

// The step as it was before the column took blocks of bars: a window of n + 1 closes
// whose volatility is re-added from -0.0 over the n changes, oldest first.
std::vector<std::optional<double>> model(const std::vector<double>& closes, std::size_t n, std::uint64_t fast,
                                         std::uint64_t slow) {
    const double fast_sc = 2.0 / (static_cast<double>(fast) + 1.0);
    const double slow_sc = 2.0 / (static_cast<double>(slow) + 1.0);
    std::deque<double> window;
    std::optional<double> last;
    std::vector<std::optional<double>> out;
    for (const double close : closes) {
        if (!std::isfinite(close)) {
            out.push_back(std::nullopt);
            continue;
        }
        if (window.size() == n + 1) window.pop_front();
        window.push_back(close);
        if (window.size() < n + 1) {
            out.push_back(std::nullopt);
            continue;
        }
        double volatility = -0.0;
        for (std::size_t i = 0; i < n; ++i) volatility += std::fabs(window[i + 1] - window[i]);
        const double er = volatility == 0.0 ? 0.0 : std::fabs(close - window[0]) / volatility;
        const double sc = (fast_sc - slow_sc) * er + slow_sc;
        const double prev = last ? *last : window[0];
        last = sc * sc * (close - prev) + prev;
        out.push_back(last);
    }
    return out;
}

TEST(Kama, StepsAsItsWindowDefinitionBitForBit) {
    std::uint64_t seed = 11;
    for (std::uint64_t n : {1u, 2u, 3u, 10u, 14u, 30u, 100u, 1000u}) {
        for (const auto& [fast, slow] : {std::pair<std::uint64_t, std::uint64_t>{2, 30}, {1, 2}}) {
            const std::vector<Ohlcv> bars = testing_reference::rough_candles(seed++, 3 * n + 2000);
            std::vector<double> closes;
            for (const Ohlcv& bar : bars) closes.push_back(bar.close);
            const std::vector<std::optional<double>> want = model(closes, n, fast, slow);
            testing_reference::expect_same_bits(
                "Kama", [&] { return IndicatorBox(new Kama(*Kama::create(n, fast, slow))); },
                [&, i = std::size_t{0}](const Ohlcv&) mutable { return want[i++]; }, bars);
        }
    }
}

// The finite closes of a rough series. Without huge closes they are scaled off the
// binary grid, so that the changes carry whole mantissas and the order in which they
// are added shows in the last bits (ties, flat runs and signed zeros stay).
std::vector<double> finite_closes(std::uint64_t seed, std::size_t count, bool huge) {
    std::vector<double> out;
    for (double c : test::rough_closes(seed, count * 2, huge))
        if (std::isfinite(c) && out.size() < count) out.push_back(huge ? c : c * 1.1);
    return out;
}

// Finite closes with a refused one now and then (NaN or an infinity in about one
// bar in a hundred), so that long finite runs end at every place of a block.
std::vector<double> sparsely_refused(std::uint64_t seed, std::size_t count) {
    std::vector<double> out = finite_closes(seed, count, false);
    std::mt19937_64 rng(seed);
    const double refused[] = {NAN, INFINITY, -INFINITY};
    for (double& c : out)
        if (rng() % 100 == 0) c = refused[rng() % 3];
    return out;
}

TEST(Kama, ColumnOfClosesEqualsTheDefinitionWholeAndInPiecesBitForBit) {
    for (const std::size_t n : {1u, 2u, 14u, 30u, 100u, 1000u}) {
        const std::size_t count = 3 * n + 3000;
        const std::vector<std::vector<double>> series = {test::rough_closes(40 + n, count),
                                                         finite_closes(41 + n, count, true),
                                                         finite_closes(42 + n, count, false),
                                                         sparsely_refused(43 + n, count)};
        for (const auto& [fast, slow] : {std::pair<std::uint64_t, std::uint64_t>{2, 30}, {1, 2}}) {
            for (std::size_t s = 0; s < series.size(); ++s) {
                SCOPED_TRACE("Kama(" + std::to_string(n) + "," + std::to_string(fast) + "," + std::to_string(slow) +
                             ") series " + std::to_string(s));
                const std::vector<double>& closes = series[s];
                const std::vector<std::optional<double>> want = model(closes, n, fast, slow);
                std::vector<Ohlcv> bars;
                for (double c : closes) bars.push_back(test::close_bar(c));

                Kama stepped = *Kama::create(n, fast, slow);
                for (std::size_t i = 0; i < bars.size(); ++i)
                    ASSERT_TRUE(test::same_bits(stepped.update(BarContext(bars[i])), want[i])) << "bar " << i;

                const std::size_t pieces[] = {closes.size(), n, n + 1, n > 1 ? n - 1 : 3, 7, 64, 2 * n + 37};
                for (const std::size_t piece : pieces) {
                    for (const bool contiguous : {true, false}) {
                        Kama column = *Kama::create(n, fast, slow);
                        std::vector<double> out(bars.size(), -1.0);
                        for (std::size_t from = 0; from < bars.size(); from += piece) {
                            const std::size_t len = std::min(piece, bars.size() - from);
                            ColumnRun run{std::span<double>(out).subspan(from, len), std::nullopt};
                            const std::span<const Ohlcv> chunk = std::span<const Ohlcv>(bars).subspan(from, len);
                            if (contiguous) {
                                column.run_column(BarColumns(chunk, std::span<const double>(closes).subspan(from, len)),
                                                  run);
                            } else {
                                column.run_column(BarColumns(chunk), run);
                            }
                        }
                        for (std::size_t i = 0; i < bars.size(); ++i)
                            ASSERT_TRUE(test::same_bits(out[i], want[i].value_or(0.0)))
                                << "piece " << piece << (contiguous ? " column" : " candles") << ", bar " << i;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace torvex
