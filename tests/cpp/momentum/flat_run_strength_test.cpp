// Relative-strength names over a long flat run (volume 0): both Wilder averages decay
// by one factor a bar, so in exact arithmetic the share holds however long the run.
// Each name is checked bar by bar against a long-double model (its exponent reaches
// 2^-16382, far past these runs) through the run and the moves after it; names built
// on them must hold their answer through the run.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "volatility/candle_support.hpp"

namespace torvex::test {
namespace {

using Ld = long double;
struct Move {
    Ld gain, loss;
};
// Each bar's (gain, loss) as the name defines them; nothing while it primes.
using Moves = std::function<std::optional<Move>(const std::vector<Ohlcv>&, std::size_t)>;

Moves changes(std::size_t lag, bool volume = false) {
    return [=](const std::vector<Ohlcv>& b, std::size_t i) -> std::optional<Move> {
        if (i < lag) return std::nullopt;
        const Ld d = volume ? Ld(b[i].volume) - b[i - lag].volume : Ld(b[i].close) - b[i - lag].close;
        return Move{d > 0 ? d : 0, d < 0 ? -d : 0};
    };
}

// The population deviation of the last n closes, credited to the side the close moved.
Moves deviations(std::size_t n) {
    return [=](const std::vector<Ohlcv>& b, std::size_t i) -> std::optional<Move> {
        if (i + 1 < n) return std::nullopt;
        Ld mean = 0, ss = 0;
        for (std::size_t j = i + 1 - n; j <= i; ++j) mean += b[j].close;
        mean /= n;
        for (std::size_t j = i + 1 - n; j <= i; ++j) ss += (b[j].close - mean) * (b[j].close - mean);
        const Ld sd = std::sqrt(ss / n), d = Ld(b[i].close) - b[i - 1].close;
        return Move{d > 0 ? sd : 0, d < 0 ? sd : 0};
    };
}

// A walk times `scale` (volumes too), `flat` bars at its last close with volume 0,
// then a walk again.
std::vector<Ohlcv> flat_run(double scale, std::size_t walk, std::size_t flat) {
    std::vector<Ohlcv> bars;
    auto add_walk = [&](std::size_t n, double s) {
        for (const Ohlcv& w : wavy_bars(n))
            bars.push_back(Ohlcv{0, w.open * s, w.high * s, w.low * s, w.close * s, w.volume * s});
    };
    add_walk(walk, scale);
    const double c = walk ? bars.back().close : 100.0 * scale;
    for (std::size_t i = 0; i < flat; ++i) bars.push_back(Ohlcv{0, c, c, c, c, 0.0});
    add_walk(20, c / 100.0);
    return bars;
}

TEST(FlatRunStrength, HoldsThroughTheRunAsExactArithmeticDoes) {
    struct Row {
        const char* name;
        std::vector<double> params;
        Moves moves;
    };
    const std::vector<Row> rows = {
        {"Rsi", {14}, changes(1)},         {"Rsi", {2}, changes(1)},
        {"Rmi", {14, 5}, changes(5)},      {"Rmi", {3, 1}, changes(1)},
        {"VolumeRsi", {14}, changes(1, true)}, {"RviVolatility", {14}, deviations(14)},
        {"RviVolatility", {2}, deviations(2)},
    };
    for (const Row& r : rows)
        for (const auto& [scale, walk, flat] : {std::tuple{1.0, 200, 12000}, {std::ldexp(1.0, -300), 200, 8000},
                                                 {1.0, 0, 400}}) {
            SCOPED_TRACE(std::string(r.name) + " " + std::to_string(r.params[0]) + " walk " + std::to_string(walk));
            const std::vector<Ohlcv> bars = flat_run(scale, walk, flat);
            IndicatorBox ind = make_named(r.name, r.params);
            ASSERT_TRUE(ind);
            const std::size_t n = static_cast<std::size_t>(r.params[0]);
            Ld g = 0, l = 0;
            std::size_t seen = 0;
            for (std::size_t i = 0; i < bars.size(); ++i) {
                const std::optional<double> got = feed(*ind, bars[i]);
                const std::optional<Move> m = r.moves(bars, i);
                if (!m) continue;
                g = seen < n ? g + m->gain : (g * (n - 1) + m->gain) / n;
                l = seen < n ? l + m->loss : (l * (n - 1) + m->loss) / n;
                if (++seen < n) continue;
                if (seen == n) g /= n, l /= n;
                const double want = double(g + l == 0 ? 50 : 100 * g / (g + l));
                if (!got || !(std::fabs(*got - want) <= 1e-8)) {
                    ADD_FAILURE() << "bar " << i << ": " << got.value_or(NAN) << ", due " << want;
                    break;
                }
            }
        }
    // Built on those: from 1000 bars into the run on, each answer stays where it is.
    for (const auto& [name, params] : std::vector<std::pair<std::string, std::vector<double>>>{
             {"ConnorsRsi", {3, 2, 100}}, {"FisherRsi", {14}}, {"Qqe", {14, 5, 4.236}},
             {"DerivativeOscillator", {14, 5, 3, 9}}, {"Inertia", {10, 14}}}) {
        SCOPED_TRACE(name);
        IndicatorBox ind = make_named(name, params);
        ASSERT_TRUE(ind);
        const std::vector<std::optional<double>> got = feed_bars(*ind, flat_run(1.0, 200, 12000));
        ASSERT_TRUE(got[1200] && got[12199]);
        std::size_t moved = 0;
        for (std::size_t i = 1200; i < 12200; ++i) moved += !(std::fabs(*got[i] - *got[1200]) <= 1e-8);
        EXPECT_EQ(moved, 0u);
    }
}

}  // namespace
}  // namespace torvex::test
