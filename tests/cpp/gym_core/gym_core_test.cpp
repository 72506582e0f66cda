// Number texts, report rounding, feature keys and feed classes of the environment.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "gym_core/env.hpp"
#include "gym_core/json_writer.hpp"
#include "gym_core/number_text.hpp"

namespace torvex::gym {
namespace {

TEST(GymNumbers, ResponseNumberFormat) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0.0"},           {-0.0, "-0.0"},          {5.0, "5.0"},
        {0.5, "0.5"},           {100.0, "100.0"},        {1e15, "1000000000000000.0"},
        {1e16, "1e+16"},        {1e30, "1e+30"},         {-1e30, "-1e+30"},
        {1e-5, "0.00001"},      {1e-6, "1e-6"},          {1.5e-7, "1.5e-7"},
        {123.25, "123.25"},     {1.2345678901234568e20, "1.2345678901234568e+20"},
        {std::numeric_limits<double>::quiet_NaN(), "null"},
        {std::numeric_limits<double>::infinity(), "null"},
        {-123456.789, "-123456.789"},
    };
    for (auto [x, text] : cases) {
        std::string out;
        append_json_number(out, x);
        EXPECT_EQ(out, text) << x;
    }
}

// Random bit patterns: every finite double reads back as itself, in fixed notation
// with a fractional part for decimal exponents -5 to 15 and in exponent form elsewhere.
TEST(GymNumbers, ResponseNumbersReadBack) {
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < 200000; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const double x = std::bit_cast<double>(state);
        std::string out;
        append_json_number(out, x);
        if (!std::isfinite(x)) {
            EXPECT_EQ(out, "null");
            continue;
        }
        ASSERT_EQ(std::strtod(out.c_str(), nullptr), x) << out;
        const double a = std::fabs(x);
        const bool fixed = a == 0.0 || (a >= 1e-5 && a < 1e16);
        EXPECT_EQ(out.find('e') == std::string::npos, fixed) << out;
        if (fixed) {
            EXPECT_NE(out.find('.'), std::string::npos) << out;
        }
    }
}

// The shortcut for values rounded to eight decimals writes exactly what the general
// search writes, over every magnitude and at the edges of the shortcut's range.
TEST(GymNumbers, RoundedValuesTakeTheSameTextEitherWay) {
    std::uint64_t state = 0x2545F4914F6CDD1Dull;
    std::vector<double> xs = {1e-5, 0.00001234, 9999999.99999999, 1e7, 1e7 - 1e-8, 0.1, 0.3, 1.0, 123.45678901,
                              0.00000001, 5e-9, 99999.999999995};
    for (int i = 0; i < 300000; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const double mantissa = static_cast<double>(state >> 11) / 9007199254740992.0;
        const int decade = static_cast<int>(state % 20) - 9;
        xs.push_back((state & 1 ? -1.0 : 1.0) * mantissa * std::pow(10.0, decade));
    }
    for (double x : xs) {
        const double v = report_round(x);
        std::string fast, general;
        append_json_number(fast, v);
        append_json_number_shortest(general, v);
        ASSERT_EQ(fast, general) << v;
    }
}

TEST(GymNumbers, ReportRounding) {
    const std::pair<double, double> cases[] = {
        {0.123456785, 0.12345679},   // scaled value lies halfway: away from zero
        {-0.123456785, -0.12345679},
        {1e-9, 0.0},
        {5.123456789, 5.12345679},
        {std::numeric_limits<double>::quiet_NaN(), 0.0},
        {-std::numeric_limits<double>::infinity(), 0.0},
        {1e301, 1e301},  // scaling overflows: the value is already integral and kept
        {-1.7e308, -1.7e308},
    };
    for (auto [x, expected] : cases) EXPECT_EQ(report_round(x), expected) << x;
}

TEST(GymNumbers, WriterEscapes) {
    JsonWriter w;
    w.begin_object().key("a\"b").string("q\"\\/\b\t\n\f\r\x01\x1f\u00e9").key("n").begin_array().end_array();
    w.key("t").boolean(true).end_object();
    EXPECT_EQ(w.take(), "{\"a\\\"b\":\"q\\\"\\\\/\\b\\t\\n\\f\\r\\u0001\\u001f\u00e9\",\"n\":[],\"t\":true}");
}

TEST(GymFeatures, ColumnKeys) {
    auto ind = [](std::vector<double> params, std::optional<std::string> field = std::nullopt) {
        Feature f;
        f.kind = Feature::Kind::Indicator;
        f.name = "Sma";
        f.params = std::move(params);
        f.field = std::move(field);
        return feature_key(f);
    };
    EXPECT_EQ(ind({20}), "Sma(20)");
    EXPECT_EQ(ind({20.5}), "Sma(20.5)");
    EXPECT_EQ(ind({}), "Sma()");
    EXPECT_EQ(ind({-0.0}), "Sma(0)");
    EXPECT_EQ(ind({-3}), "Sma(-3)");
    EXPECT_EQ(ind({1e20}), "Sma(100000000000000000000)");
    EXPECT_EQ(ind({0.0001, 2}), "Sma(0.0001,2)");
    EXPECT_EQ(ind({20, 2}, "upper"), "Sma(20,2).upper");

    Feature m;
    m.kind = Feature::Kind::Microstructure;
    m.micro = MicroField::Imbalance;
    m.level = 3;
    EXPECT_EQ(feature_key(m), "micro.imbalance");
    m.micro = MicroField::BidSz;
    m.level.reset();
    EXPECT_EQ(feature_key(m), "micro.bid_sz.0");
    m.level = 7;
    EXPECT_EQ(feature_key(m), "micro.bid_sz.7");
    Feature p;
    p.kind = Feature::Kind::Price;
    p.price = PriceField::Volume;
    EXPECT_EQ(feature_key(p), "price.volume");
}

TEST(GymFeatures, FeedClasses) {
    EXPECT_EQ(feed_of("Sma"), FeedClass::Bar);
    EXPECT_EQ(feed_of("PearsonCorrelation"), FeedClass::Reference);
    EXPECT_EQ(feed_of("Beta"), FeedClass::Reference);
    EXPECT_EQ(feed_of("Pin"), FeedClass::Trades);
    EXPECT_EQ(feed_of("KylesLambda"), FeedClass::TradesAndOrderBook);
    EXPECT_EQ(feed_of("Microprice"), FeedClass::OrderBook);
    EXPECT_EQ(feed_of("FundingRate"), FeedClass::Funding);
    EXPECT_EQ(feed_of("Trin"), FeedClass::CrossSection);
    EXPECT_EQ(feed_of("Macd"), std::nullopt);
    EXPECT_EQ(feed_of("Bollinger"), std::nullopt);
}

TEST(GymErrors, DisplayTexts) {
    EXPECT_EQ(EnvError::bad_spec("unknown cmd: Reset").display(), "bad spec: unknown cmd: Reset");
    EXPECT_EQ(EnvError::needs_feed("Microprice", "orderbook", "why").display(), "Microprice needs the orderbook feed: why");
    EXPECT_EQ(EnvError::no_data().display(), "no data loaded");
    EXPECT_EQ(EnvError::not_reset().display(), "not reset");
    EXPECT_EQ(EnvError::episode_done().display(), "episode done");
    EXPECT_EQ(EnvError::parse("x \"y\"\nz").display(), "parse: x \"y\"\nz");
    EXPECT_EQ(EnvError::unknown_indicator("Foo").display(), "unknown indicator: Foo");
    EXPECT_EQ(EnvError::bad_action("missing action").display(), "bad action: missing action");
    EXPECT_EQ(EnvError::data("warmup exceeds the loaded dataset").display(), "data: warmup exceeds the loaded dataset");
}

}  // namespace
}  // namespace torvex::gym
