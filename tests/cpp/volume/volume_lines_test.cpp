// Cumulative volume lines and single-bar transforms on hand-made bars.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>
#include <utility>
#include <random>
#include <limits>
#include <bit>

#include "indicators/cores/compensated_sum.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/volume/ad_oscillator.hpp"
#include "indicators/volume/adl.hpp"
#include "indicators/volume/bar_transforms.hpp"
#include "indicators/volume/obv.hpp"
#include "indicators/volume/true_range.hpp"
#include "indicators/volume/volume_index.hpp"
#include "indicators/volume/volume_price_trend.hpp"
#include "indicators/volume/vwap.hpp"
#include "indicators/volume/wad.hpp"
#include "volume_bars.hpp"

namespace torvex {
namespace {

using namespace volume_test;
constexpr std::nullopt_t None = std::nullopt;

TEST(VolumeLines, ObvPviNvi) {
    check("Obv", Obv::create(), {flat(10, 5), flat(11, 7), flat(11, 9), flat(10, 4)}, {0.0, 7.0, 7.0, 3.0});
    const std::vector<Ohlcv> bars = {flat(10, 100), flat(11, 200), flat(12, 150)};
    check("Pvi", Pvi::create(), bars, {1000.0, 1100.0, 1100.0});
    check("Nvi", Nvi::create(), bars, {1000.0, 1000.0, (12.0 - 11.0) / 11.0 * 1000.0 + 1000.0});
    check("Pvi keeps its index after a close of 0", Pvi::create(), {flat(10, 2), flat(0, 1), flat(5, 3), flat(6, 4)},
          {1000.0, 1000.0, 1000.0, 1200.0});
}

// The index is multiplied on every move, so a fall to a close of 0 leaves exactly 0
// and nothing afterwards can lift it: index·(c − p)/p + index with index 0 is 0.
TEST(VolumeLines, VolumeIndexIsMultipliedNotSummed) {
    const double closes[] = {100.0, 98.9, 0.0, 1e-9, 1e12};
    const double at_98_9 = (98.9 - 100.0) / 100.0 * 1000.0 + 1000.0;  // 989 up to one rounding
    const Answers want = {1000.0, at_98_9, 0.0, 0.0, 0.0};
    std::vector<Ohlcv> falling, rising;
    for (int i = 0; i < 5; ++i) {
        falling.push_back(flat(closes[i], 5.0 - i));
        rising.push_back(flat(closes[i], 1.0 + i));
    }
    check("Nvi, volume falling on every bar", Nvi::create(), falling, want, 0.0);
    check("Pvi, volume rising on every bar", Pvi::create(), rising, want, 0.0);

    // Positive closes near 1e12 moving on every bar: each move multiplies the index
    // by c/p up to rounding, so it stays positive and follows the ratio of the last
    // close to the first.
    auto nvi = test::boxed(Nvi::create());
    double price = 1e12;
    double volume = 1e6;
    std::uint64_t state = 12345;
    double first = 0.0;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double u = static_cast<double>(state >> 11) / 9007199254740992.0;
        price = price * (1.0 + 0.02 * (u - 0.5));
        volume = volume - 1.0;
        if (i == 0) first = price;
        const auto got = test::feed(*nvi, flat(price, volume));
        ASSERT_TRUE(got);
        ASSERT_GT(*got, 0.0) << "bar " << i + 1;
    }
    const double ratio = price / first * 1000.0;
    EXPECT_NEAR(*test::feed(*nvi, flat(price, volume)), ratio, 1e-9 * ratio);
}

TEST(VolumeLines, Adl) {
    check("no range adds nothing; close at the high adds the volume, at the low takes it", Adl::create(),
          {flat(10, 5), bar(10, 12, 8, 12, 3), bar(10, 12, 8, 8, 7), bar(10, 12, 8, 11, 4)},
          {0.0, 3.0, -4.0, -2.0});
}

TEST(VolumeLines, VwapAndAnchoredVwap) {
    const std::vector<Ohlcv> bars = {flat(10, 0), flat(11, 0), bar(12, 13, 11, 12, 2), flat(20, 6), flat(30, 0)};
    const Answers want = {None, None, 12.0, 18.0, 18.0};
    check("Vwap", Vwap::create(), bars, want);
    check("AnchoredVwap", AnchoredVwap::create(), bars, want);
}

TEST(VolumeLines, VolumePriceTrend) {
    check("relative change times volume", VolumePriceTrend::create(),
          {flat(10, 5), flat(11, 20), flat(0, 3), flat(5, 7), flat(4, 10)}, {0.0, 2.0, -1.0, -1.0, -3.0});
}

TEST(VolumeLines, Wad) {
    check("from the true low up, from the true high down", Wad::create(),
          {flat(10, 1), bar(10, 12, 9, 11, 1), bar(11, 12, 10, 11, 1), bar(11, 11.5, 9, 9.5, 1), bar(9, 10, 8, 8, 0)},
          {None, 2.0, 2.0, 0.0, -2.0});
}

TEST(VolumeLines, AdOscillator) {
    // Each close one above the last with the low above the previous close: the line
    // grows by 1 a bar, so the line less its 13-bar mean is 6 from the 14th bar on.
    std::vector<Ohlcv> bars;
    Answers want;
    for (int i = 0; i < 16; ++i) {
        const double c = 10.0 + i;
        bars.push_back(bar(c - 0.25, c, c - 0.5, c, 1));
        want.push_back(i + 1 >= 14 ? std::optional<double>(6.0) : None);
    }
    bars.push_back(bar(25, 25.5, 24, 25, 1));  // the same close adds nothing: the line stays 15
    want.push_back(15.0 - (4.0 + 5 + 6 + 7 + 8 + 9 + 10 + 11 + 12 + 13 + 14 + 15 + 15) / 13.0);
    check("rising closes", AdOscillator::create(), bars, want);
}

TEST(VolumeLines, TrueRange) {
    check("the previous close widens the range", TrueRange::create(),
          {bar(4, 6, 4, 5, 1), bar(11, 12, 10, 11, 1), bar(11, 11.5, 10.5, 11, 1), bar(9, 10, 7, 7, 1)},
          {2.0, 7.0, 1.0, 4.0});
}

// The cumulative lines keep the rounding error of every addition: a small volume
// added under a huge one is not lost.
TEST(VolumeLines, CumulativeLinesDoNotDrop) {
    CompensatedSum s;
    s.add(1e16);
    for (int i = 0; i < 1000; ++i) s.add(1.0);
    s.add(-1e16);
    EXPECT_EQ(s.value(), 1000.0);

    auto made = Obv::create();
    IndicatorBox obv = test::boxed(std::move(made));
    ASSERT_TRUE(obv);
    test::feed(*obv, flat(10, 0));
    test::feed(*obv, flat(11, 1e16));
    double price = 11;
    for (int i = 0; i < 1000; ++i) test::feed(*obv, flat(price += 1, 1.0));
    EXPECT_EQ(test::feed(*obv, flat(1, 1e16)), 1000.0);
}

TEST(VolumeLines, FixedRingKeepsArrivalOrder) {
    FixedRing<int> ring(3);
    EXPECT_EQ(ring.push(1), std::nullopt);
    EXPECT_EQ(ring.push(2), std::nullopt);
    EXPECT_EQ(ring.push(3), std::nullopt);
    EXPECT_EQ(ring.push(4), 1);
    EXPECT_EQ(ring.push(5), 2);
    std::vector<int> seen;
    ring.for_each([&](int v) { seen.push_back(v); });
    EXPECT_EQ(seen, (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(ring[0], 3);
    EXPECT_EQ(ring.newest(), 5);
}

struct TransformCase {
    const char* label;
    IndicatorBox ind;
    Ohlcv bar;
    std::optional<double> want;
};

TEST(BarTransforms, Values) {
    auto b = [](auto made) { return test::boxed(std::move(made)); };
    std::vector<TransformCase> cases;
    cases.push_back({"WickRatio balanced shadows", b(WickRatio::create()), bar(10, 12, 9, 11, 1), 0.0});
    cases.push_back({"WickRatio lower shadow only", b(WickRatio::create()), bar(10, 10, 8, 10, 1), -1.0});
    cases.push_back({"WickRatio no range", b(WickRatio::create()), flat(10, 1), 0.0});
    cases.push_back({"WeightedClose", b(WeightedClose::create()), bar(10, 12, 8, 9, 1), 9.5});
    cases.push_back({"TypicalPrice", b(TypicalPrice::create()), bar(10, 12, 8, 10, 1), 10.0});
    cases.push_back({"MedianPrice", b(MedianPrice::create()), bar(10, 12, 8, 9, 1), 10.0});
    cases.push_back({"MedianPrice near the largest double", b(MedianPrice::create()),
                     bar(0x1p1023, 0x1.8p1023, 0x1p1023, 0x1p1023, 1), 0x1.4p1023});
    cases.push_back({"AvgPrice", b(AvgPrice::create()), bar(10, 12, 8, 9, 1), 9.75});
    cases.push_back({"HighLowRange", b(HighLowRange::create()), bar(10, 12, 8, 10, 1), 0.4});
    cases.push_back({"CloseVsOpen", b(CloseVsOpen::create()), bar(10, 12, 8, 9, 1), -0.1});
    cases.push_back({"BodySizePct", b(BodySizePct::create()), bar(10, 12, 8, 9, 1), 0.25});
    cases.push_back({"BodySizePct no range", b(BodySizePct::create()), flat(10, 1), 0.0});
    cases.push_back({"BalanceOfPower", b(BalanceOfPower::create()), bar(10, 12, 8, 9, 1), -0.25});
    cases.push_back({"BalanceOfPower no range", b(BalanceOfPower::create()), flat(10, 1), 0.0});
    cases.push_back({"IntradayIntensity close at the high", b(IntradayIntensity::create()), bar(10, 12, 10, 12, 100), 100.0});
    cases.push_back({"IntradayIntensity close mid-range", b(IntradayIntensity::create()), bar(10, 12, 10, 11, 100), 0.0});
    cases.push_back({"IntradayIntensity no range", b(IntradayIntensity::create()), flat(10, 100), 0.0});
    cases.push_back({"MarketFacilitationIndex", b(MarketFacilitationIndex::create()), bar(10, 12, 10, 11, 4), 0.5});
    cases.push_back({"MarketFacilitationIndex no volume", b(MarketFacilitationIndex::create()), bar(10, 12, 10, 11, 0), None});
    for (TransformCase& c : cases) {
        ASSERT_TRUE(c.ind) << c.label;
        EXPECT_EQ(test::feed(*c.ind, c.bar), c.want) << c.label;
    }
}

// The run of median prices takes the plain sum alone and works a run out again by
// midpoint() where a sum overflowed: every answer must be midpoint's, bit for bit,
// with the overflowing pair first, last, alone or amid plain ones, and for pairs
// where the plain and halved forms part (huge beside tiny, two smallest subnormals).
TEST(BarTransforms, MedianPricesOfARunAreMidpointsBitForBit) {
    constexpr double kMax = std::numeric_limits<double>::max();
    constexpr double kTiny = std::numeric_limits<double>::denorm_min();
    const std::pair<double, double> special[] = {
        {kMax, kMax},   {-kMax, -kMax},         {kMax, 1.0},          {kMax, -kMax},    {kMax, kTiny},
        {kMax, -kTiny}, {9e307, 9e307},         {9e307, -1e300},      {1.7e308, 1e292}, {kTiny, kTiny},
        {kTiny, 0.0},   {-kTiny, -kTiny},       {3 * kTiny, kTiny},   {0.0, -0.0},      {-0.0, -0.0},
        {101.5, 99.25}, {1e-310, 2.5e-310},     {1.0, -1.0},          {2.2250738585072014e-308, kTiny},
    };
    std::mt19937_64 rng(2024);
    const auto draw = [&] {
        // Huge magnitudes, ordinary prices and subnormals, of either sign.
        const double scales[] = {1.0, 1e300, 1.7e308, 1e-310, 1e-320};
        const double x = std::ldexp(static_cast<double>(rng() >> 11), -53) * scales[rng() % 5];
        return rng() % 2 ? x : -x;
    };
    std::vector<std::vector<std::pair<double, double>>> runs;
    for (const auto& p : special) runs.push_back({p});                            // alone
    for (const auto& p : special) runs.push_back({p, {10.0, 8.0}, {12.0, 9.0}});  // first
    for (const auto& p : special) runs.push_back({{10.0, 8.0}, {12.0, 9.0}, {7.0, 1.0}, {3.0, 2.0}, p});  // last
    runs.push_back(std::vector<std::pair<double, double>>(std::begin(special), std::end(special)));
    for (int k = 0; k < 50; ++k) {
        std::vector<std::pair<double, double>> run;
        for (int i = 0; i < 37; ++i) run.emplace_back(draw(), draw());
        runs.push_back(run);
    }
    for (const auto& run : runs) {
        std::vector<double> high, low;
        for (const auto& [h, l] : run) {
            high.push_back(h);
            low.push_back(l);
        }
        std::vector<double> out(run.size(), std::numeric_limits<double>::quiet_NaN());
        bar_formula::median_prices(high.data(), low.data(), run.size(), out.data());
        for (std::size_t i = 0; i < run.size(); ++i)
            ASSERT_EQ(std::bit_cast<std::uint64_t>(out[i]), std::bit_cast<std::uint64_t>(midpoint(high[i], low[i])))
                << high[i] << " " << low[i] << " in a run of " << run.size();
    }
}

TEST(BarTransforms, AllZeroBarAnswersZero) {
    const Ohlcv zero = flat(0, 0);
    std::vector<IndicatorBox> all;
    all.push_back(test::boxed(MedianPrice::create()));
    all.push_back(test::boxed(AvgPrice::create()));
    all.push_back(test::boxed(HighLowRange::create()));
    all.push_back(test::boxed(CloseVsOpen::create()));
    all.push_back(test::boxed(BodySizePct::create()));
    all.push_back(test::boxed(BalanceOfPower::create()));
    for (const IndicatorBox& ind : all) {
        ASSERT_TRUE(ind);
        EXPECT_EQ(test::feed(*ind, zero), 0.0);
        EXPECT_EQ(ind->warmup(), 1u);
    }
}

}  // namespace
}  // namespace torvex
