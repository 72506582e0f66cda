// What every volume indicator and bar transform shares: the registry builds it with
// its checks and messages, the first value comes on bar `warmup()`, a bar that breaks
// the candle rule changes nothing, and flat or volume-less bars never give NaN.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Named {
    const char* name;
    std::vector<double> params;
};

// Every name of the family with typical parameters.
const std::vector<Named> kFamily = {
    {"AdOscillator", {}},       {"Adl", {}},
    {"AnchoredVwap", {}},       {"AvgPrice", {}},
    {"BalanceOfPower", {}},     {"BetterVolume", {5}},
    {"BodySizePct", {}},        {"ChaikinMoneyFlow", {7}},
    {"ChaikinOscillator", {3, 10}}, {"CloseVsOpen", {}},
    {"DemandIndex", {6}},       {"EaseOfMovement", {6}},
    {"Evwma", {5}},             {"ForceIndex", {4}},
    {"HighLowRange", {}},       {"IntradayIntensity", {}},
    {"Kvo", {4, 9}},            {"MarketFacilitationIndex", {}},
    {"MedianPrice", {}},        {"Mfi", {6}},
    {"Nvi", {}},                {"Obv", {}},
    {"Pvi", {}},                {"RollingVwap", {5}},
    {"SessionVwap", {-300}},    {"TradeVolumeIndex", {0.01}},
    {"TrueRange", {}},          {"Tsv", {5}},
    {"TwiggsMoneyFlow", {6}},   {"TypicalPrice", {}},
    {"VolumeOscillator", {3, 8}}, {"VolumePriceTrend", {}},
    {"VolumeRsi", {6}},         {"Vwap", {}},
    {"Vwma", {5}},              {"Vzo", {6}},
    {"Wad", {}},                {"WeightedClose", {}},
    {"WickRatio", {}},
};

IndicatorBox make(const Named& n) {
    auto r = build_indicator(n.name, n.params);
    if (!r) {
        ADD_FAILURE() << n.name << ": " << r.error().message;
        return nullptr;
    }
    return std::move(*r);
}

// Valid bars with moving prices, volumes above zero and hourly time stamps.
std::vector<Ohlcv> random_bars(std::size_t count, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::normal_distribution<double> step(0.0, 0.8);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<Ohlcv> bars;
    double price = 100.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double open = price;
        price += step(rng);
        const double high = std::max(open, price) + unit(rng);
        const double low = std::min(open, price) - unit(rng);
        bars.push_back(Ohlcv{static_cast<std::int64_t>(i) * 3'600'000, open, high, low, price, 10.0 + 90.0 * unit(rng)});
    }
    return bars;
}

TEST(VolumeContract, EveryNameBuildsAndPublishesNoOutputs) {
    ASSERT_EQ(kFamily.size(), 39u);
    for (const Named& n : kFamily) {
        EXPECT_EQ(indicator_feed(n.name), kFeedCandles) << n.name;
        IndicatorBox ind = make(n);
        ASSERT_TRUE(ind) << n.name;
        const auto bars = random_bars(40, 3);
        for (const Ohlcv& b : bars) test::feed(*ind, b);
        EXPECT_TRUE(ind->outputs().empty()) << n.name;
    }
}

// Each name's refusals, read through the registry: reader first, then the checks.
TEST(VolumeContract, ConstructionChecksAndMessages) {
    const std::string zero = test::kZero;
    const std::string too_long = test::kTooLong;
    auto message = [](const char* name, std::vector<double> params) {
        auto r = build_indicator(name, params);
        return r ? std::string("built") : r.error().message;
    };
    for (const char* name : {"BetterVolume", "ChaikinMoneyFlow", "DemandIndex", "EaseOfMovement", "Evwma",
                             "ForceIndex", "Mfi", "RollingVwap", "Tsv", "TwiggsMoneyFlow", "VolumeRsi", "Vwma",
                             "Vzo"}) {
        EXPECT_EQ(message(name, {1}), "built") << name;
        EXPECT_EQ(message(name, {16777216}), "built") << name;
        EXPECT_EQ(message(name, {16777217}), too_long) << name;
        EXPECT_EQ(message(name, {1e-300}), zero) << name;
        EXPECT_EQ(message(name, {}), "missing parameter #0") << name;
        EXPECT_EQ(message(name, {2.5}), "parameter #0 must be a positive integer, got 2.5") << name;
    }
    struct Case {
        const char* name;
        std::vector<double> params;
        std::string want;
    };
    const Case cases[] = {
        {"Kvo", {1e-300, 5}, zero},
        {"Kvo", {5, 1e-300}, zero},
        {"Kvo", {1e-300, 1e-300}, zero},
        {"Kvo", {30, 20}, "invalid period: KVO needs fast < slow"},
        {"Kvo", {20, 20}, "invalid period: KVO needs fast < slow"},
        {"Kvo", {30, 16777217}, too_long},
        {"Kvo", {16777216, 16777217}, too_long},
        {"Kvo", {1, 2}, "built"},
        {"Kvo", {5}, "missing parameter #1"},
        {"ChaikinOscillator", {10, 10}, "invalid period: Chaikin Oscillator needs fast < slow"},
        {"ChaikinOscillator", {1, 2}, "built"},
        {"ChaikinOscillator", {0.5, 2}, "parameter #0 must be a positive integer, got 0.5"},
        {"ChaikinOscillator", {3, 16777217}, too_long},
        {"ChaikinOscillator", {1e-300, 3}, zero},
        {"VolumeOscillator", {5, 16777217}, too_long},
        {"VolumeOscillator", {16777217, 16777218}, too_long},
        {"VolumeOscillator", {8, 3}, "invalid period: VolumeOscillator needs fast < slow"},
        {"VolumeOscillator", {3, 1e-300}, zero},
        {"VolumeOscillator", {16777215, 16777216}, "built"},
        {"TradeVolumeIndex", {0}, "built"},
        {"TradeVolumeIndex", {-0.0}, "built"},
        {"TradeVolumeIndex", {-0.5}, "invalid parameter: trade volume index min_tick must be finite and non-negative"},
        {"TradeVolumeIndex", {-1}, "invalid parameter: trade volume index min_tick must be finite and non-negative"},
        {"TradeVolumeIndex", {kNaN}, "parameter #0 must be finite"},
        {"TradeVolumeIndex", {}, "missing parameter #0"},
        {"SessionVwap", {-300}, "built"},
        {"SessionVwap", {-2147483648.0}, "built"},
        {"SessionVwap", {2147483648.0}, "parameter #0 must be an i32, got 2147483648"},
        {"SessionVwap", {1.5}, "parameter #0 must be an i32, got 1.5"},
        {"SessionVwap", {kInf}, "parameter #0 must be finite"},
        {"AdOscillator", {}, "built"},
        {"Obv", {kNaN, -4}, "built"},  // a parameterless name ignores any list
        {"WickRatio", {1, 2, 3}, "built"},
    };
    for (const Case& c : cases) EXPECT_EQ(message(c.name, c.params), c.want) << c.name;
}

// The first value comes on bar warmup(); bars that break the candle rule, slipped in
// between, answer nothing and leave every later answer exactly as without them.
TEST(VolumeContract, WarmupAndRefusedCandlesChangeNothing) {
    const Ohlcv bad[] = {
        {0, kNaN, 11, 9, 10, 5},    // a price not finite
        {0, 10, 11, 9, 10, kInf},   // volume not finite
        {0, 10, 11, 9, 10, -1},     // negative volume
        {0, 10, 9, 11, 10, 5},      // high below low
        {0, 12, 11, 9, 10, 5},      // high below open
        {0, 10, 11, 9, 8.5, 5},     // low above close
    };
    const auto bars = random_bars(120, 7);
    for (const Named& n : kFamily) {
        IndicatorBox clean = make(n);
        IndicatorBox dirty = make(n);
        ASSERT_TRUE(clean && dirty) << n.name;
        std::uint64_t first = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (i % 5 == 0) {
                for (const Ohlcv& b : bad) EXPECT_FALSE(test::feed(*dirty, b)) << n.name << " bar " << i;
            }
            const auto want = test::feed(*clean, bars[i]);
            const auto got = test::feed(*dirty, bars[i]);
            ASSERT_EQ(got, want) << n.name << " bar " << i;
            if (want && first == 0) first = i + 1;
        }
        EXPECT_EQ(first, clean->warmup()) << n.name;
    }
}

// Bars without volume, and bars without range, are legal: nothing answers NaN or an
// infinity for them.
TEST(VolumeContract, FlatAndVolumelessBarsStayFinite) {
    auto bars = random_bars(60, 9);
    std::vector<Ohlcv> volumeless = bars;
    for (Ohlcv& b : volumeless) b.volume = 0.0;
    std::vector<Ohlcv> flat;
    for (int i = 0; i < 60; ++i) flat.push_back(Ohlcv{i * 60'000, 100, 100, 100, 100, (i % 3) * 5.0});
    std::vector<Ohlcv> zero_everything(40, Ohlcv{0, 0, 0, 0, 0, 0});
    for (const auto* series : {&volumeless, &flat, &zero_everything}) {
        for (const Named& n : kFamily) {
            IndicatorBox ind = make(n);
            ASSERT_TRUE(ind);
            for (std::size_t i = 0; i < series->size(); ++i) {
                const auto v = test::feed(*ind, (*series)[i]);
                if (v) {
                    EXPECT_TRUE(std::isfinite(*v)) << n.name << " bar " << i << " gave " << *v;
                }
            }
        }
    }
}

}  // namespace
}  // namespace torvex
