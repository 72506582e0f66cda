// Answers that do not depend on the price scale, and sums that come back as soon as
// the window allows: each row is a history that once went wrong, fed through the
// registry, with the answer worked out by hand or the one the same history gives at
// an ordinary scale.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "registry/registry.hpp"

namespace torvex {
namespace {

struct Fed {
    std::vector<double> close;
    std::vector<double> reference;  // empty: no reference series
};

// Every answer of `name` over the closes (the candle flat at the close), NaN where
// it answers nothing.
std::vector<double> answers(const std::string& name, const std::vector<double>& params, const Fed& fed,
                            double scale = 1.0) {
    auto built = build_indicator(name, params);
    EXPECT_TRUE(built.has_value()) << name;
    std::vector<double> out;
    if (!built) return out;
    for (std::size_t i = 0; i < fed.close.size(); ++i) {
        const double c = fed.close[i] * scale;
        const Ohlcv bar{static_cast<std::int64_t>(i) * 60000, c, c, c, c, 1.0};
        BarContext ctx(bar);
        if (!fed.reference.empty()) ctx.reference = fed.reference[i] * scale;
        const std::optional<double> v = (*built)->update(ctx);
        out.push_back(v ? *v : std::nan(""));
    }
    return out;
}

// A walk around 100 with moves of about 1 %, seeded.
std::vector<double> walk(std::size_t n, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::normal_distribution<double> step(0.0, 1.0);
    std::vector<double> out;
    double x = 100.0;
    for (std::size_t i = 0; i < n; ++i) out.push_back(x += step(rng));
    return out;
}

// Two legs: b a walk from 50, a twice b plus noise of deviation 2.
Fed pair_walk() {
    std::mt19937_64 rng(42);
    std::normal_distribution<double> step(0.0, 1.0);
    Fed fed;
    double b = 50.0;
    for (int i = 0; i < 80; ++i) {
        b += step(rng);
        fed.reference.push_back(b);
        fed.close.push_back(2.0 * b + 2.0 * step(rng));
    }
    return fed;
}

// The same history with every price times `scale` answers the first run's answers
// times scale^degree (to 1e-12 relative, with a floor of 1e-12 of the answer's unit).
TEST(PriceScale, AnswersScaleWithTheirDegree) {
    struct Row {
        const char* name;
        std::vector<double> params;
        Fed fed;
        double scale;
        int degree;
    };
    const Fed closes{walk(300, 7), {}};
    const Fed pairs = pair_walk();
    Fed spiked{walk(80, 11), {}};
    spiked.close[10] = 3.9e180;
    spiked.close[11] = 2.8e180;
    const std::vector<Row> rows = {
        // Moments of windows wholly beyond the bound that higher powers keep.
        {"Kurtosis", {20}, closes, 0x1p244, 0},
        {"Kurtosis", {20}, closes, 0x1p-244, 0},
        {"Skewness", {20}, closes, 0x1p244, 0},
        {"Skewness", {20}, closes, 0x1p320, 0},
        {"Skewness", {20}, closes, 0x1p-320, 0},
        {"LinRegSlope", {14}, closes, 0x1p664, 1},
        {"StdDev", {20}, closes, 0x1p500, 1},
        {"Beta", {2}, pairs, 0x1p500, 0},
        // Products of the two legs' moments, which pass the double range near 1e80.
        {"OuHalfLife", {20}, pairs, 1e75, 0},
        {"OuHalfLife", {20}, pairs, 1e80, 0},
        {"OuHalfLife", {20}, pairs, 1e-100, 0},
        {"SpreadAr1Coefficient", {20}, pairs, 1e80, 0},
        {"SpreadAr1Coefficient", {20}, pairs, 1e-100, 0},
        {"Cointegration", {60, 1}, pairs, 1e75, 0},
        {"Cointegration", {60, 1}, pairs, 1e-100, 0},
        {"LeadLagCrossCorrelation", {20, 5}, pairs, 1e80, 0},
        {"LeadLagCrossCorrelation", {20, 5}, pairs, 1e-100, 0},
        {"RollingCorrelation", {20}, pairs, 1e80, 0},
        // Two closes whose cubes overflow, then an ordinary walk: the third powers
        // come back as they leave, though the walk's fourth powers overflow too.
        {"Skewness", {20}, spiked, 0x1p324, 0},
    };
    for (const Row& r : rows) {
        const std::vector<double> plain = answers(r.name, r.params, r.fed);
        const std::vector<double> scaled = answers(r.name, r.params, r.fed, r.scale);
        ASSERT_EQ(plain.size(), scaled.size());
        int compared = 0;
        for (std::size_t i = 0; i < plain.size(); ++i) {
            if (std::isnan(plain[i])) {
                EXPECT_TRUE(std::isnan(scaled[i])) << r.name << " bar " << i;
                continue;
            }
            const double unit = std::pow(r.scale, r.degree);
            const double want = plain[i] * unit;
            EXPECT_NEAR(scaled[i], want, 1e-12 * (std::fabs(want) + unit))
                << r.name << " x" << r.scale << " bar " << i;
            compared += 1;
        }
        EXPECT_GT(compared, 0) << r.name;
    }
}

// Exact answers at the edge of the double range: the population variance of each
// window of two (a window wholly beyond the old tame bound), and a simple average
// whose sum overflowed until the older of two huge closes left.
TEST(PriceScale, ExactAnswersNearTheEdgeOfTheRange) {
    const Fed huge{{6.409296709826257e151, 6.410300979273864e151, 6.408e151, 6.4115e151, 6.4102e151, 6.4087e151}, {}};
    const std::vector<double> variance = answers("Variance", {2}, huge);
    // (x − y)² / 4 of each pair, from their exact difference.
    for (std::size_t i = 1; i < huge.close.size(); ++i) {
        const double d = huge.close[i] - huge.close[i - 1];  // exact: the two lie within a factor of two
        const double want = 0.25 * d * d;
        EXPECT_NEAR(variance[i], want, 4e-16 * want) << "bar " << i;
    }
    const Fed overflow{{1, 1.5e308, 1.5e308, 1e300, 2, 3, 4, 5}, {}};
    const std::vector<double> sma = answers("Sma", {3}, overflow);
    EXPECT_EQ(sma[4], (1.5e308 + 1e300 + 2.0) / 3.0);  // 5.000000033333333e307
    EXPECT_EQ(sma[7], 4.0);
}

// Trade sizes: a window of two whose buys held an infinity and then sells only reads
// the sells' answer on the bar the infinity leaves.
TEST(PriceScale, TradeSumsComeBackAsTheInfinityLeaves) {
    auto built = build_indicator("TradeImbalance", std::vector<double>{2});
    ASSERT_TRUE(built.has_value());
    const Trade trades[] = {{100, 1, 0, false},   {100, 1, 0, false}, {100, INFINITY, 0, false},
                            {100, 1e300, 0, true}, {100, 2.5, 0, true}, {100, 1, 0, true}};
    std::vector<std::optional<double>> got;
    for (std::size_t i = 0; i < std::size(trades); ++i) {
        const Ohlcv bar{static_cast<std::int64_t>(i) * 60000, 100, 100, 100, 100, 1};
        BarContext ctx(bar);
        ctx.trades = std::span<const Trade>(&trades[i], 1);
        got.push_back((*built)->update(ctx));
    }
    ASSERT_TRUE(got[4].has_value());
    EXPECT_EQ(*got[4], -1.0);  // sells only: 1e300 and 2.5
    ASSERT_TRUE(got[5].has_value());
    EXPECT_EQ(*got[5], -1.0);
}

// The spread ln close − ln reference is ln 2 on every bar; after three small closes
// the hedge window's logs span 1e-6, and the fits' rounding alone moves the spread.
TEST(PriceScale, FlatSpreadAfterANarrowHedgeWindowScoresZero) {
    Fed fed;
    for (const double c : {0.0481, 0.022, 0.0371}) fed.close.push_back(c);
    for (int i = 0; i < 40; ++i) fed.close.push_back(i % 3 == 1 ? 100.0001 : 100.0);
    for (const double c : fed.close) fed.reference.push_back(0.5 * c);
    const std::vector<double> z = answers("PairSpreadZScore", {20, 20}, fed);
    int answered = 0;
    for (std::size_t i = 0; i < z.size(); ++i) {
        if (std::isnan(z[i])) continue;
        EXPECT_EQ(z[i], 0.0) << "bar " << i;
        answered += 1;
    }
    EXPECT_GT(answered, 0);
}

}  // namespace
}  // namespace torvex
