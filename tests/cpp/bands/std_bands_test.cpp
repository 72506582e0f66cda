// Bollinger, double Bollinger and volume-weighted deviation bands.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "indicators/bands/bollinger_bands.hpp"
#include "indicators/bands/double_bollinger.hpp"
#include "indicators/bands/vwap_std_dev_bands.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kTick = 0.001953125;  // 2^-9, exact next to 1e9

std::vector<double> values(const DynIndicator& ind) {
    std::vector<double> out;
    for (const NamedOutput& o : ind.outputs()) out.push_back(o.value);
    return out;
}

Ohlcv flat(double price, double volume) { return {0, price, price, price, price, volume}; }

TEST(BandConstructors, CheckOrder) {
    const auto npm = IndicatorError::non_positive_multiplier();
    const auto order = IndicatorError::invalid_period("double bollinger requires k_outer > k_inner");
    EXPECT_EQ(order.display(), "invalid period: double bollinger requires k_outer > k_inner");
    // Multipliers, then their order (even with period 0), then the period.
    const std::tuple<std::uint64_t, double, double, std::optional<IndicatorError>> doubles[] = {
        {20, 0, 1, npm},     {20, 1, -0.0, npm}, {20, kNaN, 2, npm},
        {20, 1, kInf, npm},  {0, 2, 1, order},   {20, 2, 2, order},
        {0, 1, 2, IndicatorError::zero_period()}, {16'777'217, 1, 2, IndicatorError::period_too_long()},
        {16'777'216, 1, 2, std::nullopt}};
    for (const auto& [n, inner, outer, error] : doubles) {
        auto r = DoubleBollinger::create(n, inner, outer);
        EXPECT_EQ(r ? std::nullopt : std::optional(r.error()), error) << n << " " << inner << " " << outer;
    }
    // Period before multiplier.
    EXPECT_EQ(BollingerBands::create(0, -1).error(), IndicatorError::zero_period());
    EXPECT_EQ(BollingerBands::create(16'777'217, 0).error(), IndicatorError::period_too_long());
    EXPECT_EQ(BollingerBands::create(20, kNaN).error(), npm);
    for (double k : {0.0, -0.0, -1.0, kNaN, kInf}) EXPECT_EQ(VwapStdDevBands::create(k).error(), npm) << k;
    EXPECT_TRUE(VwapStdDevBands::create(1e-300));
}

TEST(BandBollinger, ValuesAndAdapterContract) {
    auto bb = BollingerBands::create(3, 2);
    EXPECT_EQ(bb->warmup(), 3u);
    EXPECT_FALSE(test::feed_close(*bb, 1));
    EXPECT_FALSE(test::feed_close(*bb, 2));
    EXPECT_TRUE(bb->outputs().empty());

    const double s = std::sqrt(2.0 / 3.0);
    const std::optional<double> first = test::feed_close(*bb, 3);
    const std::vector<NamedOutput> published = bb->outputs();
    const std::vector<NamedOutput> expected{{"upper", 2 + 2 * s}, {"middle", 2}, {"lower", 2 - 2 * s}, {"stddev", s}};
    EXPECT_EQ(published, expected);
    EXPECT_EQ(first, published[0].value);

    // A refused close answers nothing, keeps the list and the window.
    for (double bad : {kNaN, kInf, -kInf}) EXPECT_FALSE(test::feed_close(*bb, bad));
    std::vector<NamedOutput> copy = bb->outputs();
    copy[1].value = 99;
    EXPECT_EQ(bb->outputs(), published);
    EXPECT_NEAR(test::feed_close(*bb, 4).value(), 3 + 2 * s, 1e-14);
}

TEST(BandBollinger, DegenerateWindows) {
    auto one = BollingerBands::create(1, 2);
    for (double c : {5.0, -2.5, 1e12}) {
        test::feed_close(*one, c);
        EXPECT_EQ(values(*one), (std::vector<double>{c, c, c, 0.0}));
    }
    auto constant = BollingerBands::create(3, 2);
    for (int i = 0; i < 10; ++i) test::feed_close(*constant, 0.1);
    EXPECT_EQ(values(*constant), (std::vector<double>{0.1, 0.1, 0.1, 0.0}));
    // Closes near 1e9 a few 2^-9 apart, one bar after a re-centring: window
    // 1e9 + (1, 2, 3) ticks, population deviation tick * sqrt(2/3).
    auto large = BollingerBands::create(3, 1);
    for (double i : {0.0, 1.0, 2.0, 3.0}) test::feed_close(*large, 1e9 + i * kTick);
    EXPECT_EQ(values(*large)[1], 1e9 + 2 * kTick);
    EXPECT_NEAR(values(*large)[3], kTick * std::sqrt(2.0 / 3.0), 1e-15);
}

TEST(BandDouble, OrderingAndAgreementWithSingleBands) {
    auto db = DoubleBollinger::create(3, 1, 2);
    auto bb = BollingerBands::create(3, 2);
    EXPECT_EQ(db->warmup(), 3u);
    for (double c : {1.0, 2.0, 3.0, 7.0, 7.0, 7.0, -4.0, kNaN, 10.0}) {
        const std::optional<double> d = test::feed_close(*db, c);
        EXPECT_EQ(d, test::feed_close(*bb, c)) << c;
        if (!d) continue;
        const std::vector<double> dv = values(*db);
        const std::vector<double> bv = values(*bb);  // upper, middle, lower, sd
        EXPECT_EQ(dv, (std::vector<double>{bv[0], bv[1] + bv[3], bv[1], bv[1] - bv[3], bv[2]})) << c;
        for (std::size_t i = 1; i < dv.size(); ++i) EXPECT_GE(dv[i - 1], dv[i]) << c;
    }
    const char* names[] = {"upper_outer", "upper_inner", "middle", "lower_inner", "lower_outer"};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(db->outputs()[i].name, names[i]);
}

TEST(BandVwap, KnownValues) {
    const double r3 = std::sqrt(3.0);
    const std::tuple<double, std::vector<Ohlcv>, std::vector<double>> cases[] = {
        {2, {flat(10, 1), flat(14, 1)}, {16, 12, 8, 2}},
        {1, {flat(10, 0), flat(13, 0), flat(16, 2)}, {16, 16, 16, 0}},  // zero volume: shift only
        {1, {flat(5, 3), flat(5, 1), flat(5, 2)}, {5, 5, 5, 0}},
        {1, {{0, 9, 12, 6, 9, 3}, flat(13, 1)}, {10 + r3, 10, 10 - r3, r3}},  // typical prices 9 and 13, 3 : 1
        {1, {flat(1e9, 1), flat(1e9 + kTick, 1)}, {1e9 + kTick, 1e9 + kTick / 2, 1e9, kTick / 2}},
    };
    for (const auto& [k, bars, expected] : cases) {
        auto vw = VwapStdDevBands::create(k);
        for (const Ohlcv& bar : bars) test::feed(*vw, bar);
        const std::vector<double> got = values(*vw);
        ASSERT_EQ(got.size(), 4u);
        for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(got[i], expected[i], 1e-12) << bars.size() << " " << i;
    }
}

TEST(BandVwap, ZeroVolumeAndRefusedCandles) {
    auto vw = VwapStdDevBands::create(1);
    EXPECT_EQ(vw->warmup(), 1u);
    EXPECT_FALSE(test::feed(*vw, flat(10, 0)));
    EXPECT_TRUE(vw->outputs().empty());
    EXPECT_EQ(test::feed(*vw, flat(10, 4)), 10.0);
    // Refused candles change nothing: the next bar answers as if they never came.
    for (const Ohlcv& bar : {Ohlcv{0, 1, 0.5, 1, 1, 1}, Ohlcv{0, kNaN, 1, 1, 1, 1}}) EXPECT_FALSE(test::feed(*vw, bar));
    EXPECT_EQ(values(*vw), (std::vector<double>{10, 10, 10, 0}));
    EXPECT_EQ(test::feed(*vw, flat(20, 4)), 20.0);
    EXPECT_EQ(values(*vw), (std::vector<double>{20, 15, 10, 5}));
}

}  // namespace
}  // namespace torvex
