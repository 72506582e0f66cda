// Name matching, the parameter readers with their messages, and the feed classes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <vector>

#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string build_message(std::string_view name, std::vector<double> params) {
    auto r = build_indicator(name, params);
    if (r) return "built";
    return r.error().message;
}

TEST(Registry, ExactMatching) {
    for (std::string_view name : {"", "sma", "SMA", "Sma ", " Sma", "Smaa", "S",
                                  "AVeryLongNameThatIsNotThereAtAll"}) {
        auto r = build_indicator(name, std::vector<double>{14});
        ASSERT_FALSE(r) << name;
        EXPECT_EQ(r.error(), BuildError::unknown(name));
    }
    auto sma = build_indicator("Sma", std::vector<double>{14, 99});
    ASSERT_TRUE(sma);
    EXPECT_EQ((*sma)->warmup(), 14u) << "extra parameters are ignored";
}

TEST(Registry, ReaderMessages) {
    struct Case {
        std::vector<double> params;
        const char* message;
    };
    const Case cases[] = {
        {{}, "missing parameter #0"},
        {{kNaN}, "parameter #0 must be finite"},
        {{-kInf}, "parameter #0 must be finite"},
        {{14.5}, "parameter #0 must be a positive integer, got 14.5"},
        {{0}, "parameter #0 must be a positive integer, got 0"},
        {{-3}, "parameter #0 must be a positive integer, got -3"},
        {{-0.0}, "parameter #0 must be a positive integer, got -0"},
        {{0.0000001}, "parameter #0 must be a positive integer, got 0.0000001"},
        {{3.0000000000000004}, "parameter #0 must be a positive integer, got 3.0000000000000004"},
        {{1e-300}, "period must be greater than zero"},  // reads as 0, the period check meets it
        {{16777217}, "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"},
        {{1e30}, "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"},
        {{1.0000000000000002}, "built"},  // within one epsilon of 1
        {{16777216}, "built"},
    };
    for (const Case& c : cases) EXPECT_EQ(build_message("Sma", c.params), c.message) << c.message;

    // Invalid carries the registry name.
    auto r = build_indicator("Sma", std::vector<double>{});
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error(), BuildError::invalid("Sma", "missing parameter #0"));
}

TEST(Registry, IntegerReaders) {
    const std::vector<double> p{-1, 2147483648.0, -2147483648.0, 4294967295.0, 4294967296.0, 2.5,
                                -1.0000000000000002, 1e20};
    auto msg = [](auto r) { return r ? std::string("ok") : r.error().message; };
    EXPECT_EQ(msg(param_u32(p, 0, "T")), "parameter #0 must be a u32, got -1");
    EXPECT_EQ(msg(param_i32(p, 1, "T")), "parameter #1 must be an i32, got 2147483648");
    EXPECT_EQ(param_i32(p, 2, "T").value(), INT32_MIN);
    EXPECT_EQ(param_u32(p, 3, "T").value(), 4294967295u);
    EXPECT_EQ(msg(param_u32(p, 4, "T")), "parameter #4 must be a u32, got 4294967296");
    EXPECT_EQ(msg(param_i32(p, 5, "T")), "parameter #5 must be an i32, got 2.5");
    EXPECT_EQ(param_i32(p, 6, "T").value(), -1) << "within one epsilon of -1";
    EXPECT_EQ(param_positive_int(p, 7, "T").value(), UINT64_MAX) << "1e20 saturates";
    EXPECT_EQ(msg(param_finite(p, 8, "T")), "missing parameter #8");
    EXPECT_EQ(param_positive_int(std::vector<double>{1e300}, 0, "T").value(), UINT64_MAX);
    EXPECT_EQ(param_positive_int(std::vector<double>{2e-16}, 0, "T").value(), 0u);
}

TEST(Registry, ValueFormatting) {
    const std::pair<double, const char*> cases[] = {
        {2.5, "2.5"}, {-3, "-3"}, {4294967296.0, "4294967296"}, {1e-7, "0.0000001"},
        {0.1, "0.1"}, {1e21, "1000000000000000000000"}, {-0.0, "-0"},
        {1152921504606846976.0, "1152921504606847000"}, {123.25, "123.25"}, {5e-324, "0.000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000005"},
    };
    for (auto [x, text] : cases) EXPECT_EQ(format_param_value(x), text);
}

TEST(Registry, FeedClasses) {
    struct Case {
        const char* name;
        std::uint8_t code;
    };
    const Case cases[] = {
        {"Sma", 0}, {"sma", 255}, {"SMA", 255}, {"Sma ", 255}, {"Pin", 1}, {"Vpin", 1},
        {"Microprice", 2}, {"KylesLambda", 3}, {"FundingRate", 4}, {"Trin", 5},
        {"Macd", 255}, {"Bollinger", 255}, {"MacdIndicator", 0}, {"BollingerBands", 0},
        {"", 255}, {"RollingCorrelation", 0}, {"AbcdefghijklmnopqrstuvwxyzA", 255},
    };
    for (const Case& c : cases) EXPECT_EQ(indicator_feed(c.name), c.code) << c.name;

    // The whole table: 495 names, 2 to 26 bytes, 49 of them with a feed beyond candles.
    const auto rows = registry_rows();
    EXPECT_EQ(rows.size(), 495u);
    std::map<int, int> per_code;
    for (const RegistryRow& row : rows) {
        EXPECT_GE(row.name.size(), 2u);
        EXPECT_LE(row.name.size(), 26u);
        EXPECT_EQ(indicator_feed(row.name), row.feed);
        per_code[row.feed] += 1;
    }
    EXPECT_EQ(per_code, (std::map<int, int>{{0, 446}, {1, 8}, {2, 7}, {3, 3}, {4, 16}, {5, 15}}));
}

TEST(Registry, InlineChecksAndAliases) {
    struct Case {
        const char* name;
        std::vector<double> params;
        const char* message;
    };
    const char* too_long = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
    const Case cases[] = {
        {"Ema", {1}, "built"},
        {"Ema", {1e-300}, "period must be greater than zero"},
        {"Ema", {16777216}, "built"},
        {"Ema", {16777217}, too_long},
        {"Ema", {1e30}, too_long},
        {"Tsi", {1e-300, 16777217}, "period must be greater than zero"},
        {"Tsi", {16777217, 1e-300}, "period must be greater than zero"},
        {"Tsi", {25, 16777217}, too_long},
        {"HoltWinters", {1, 1}, "built"},
        {"HoltWinters", {0, 0.5}, "invalid period: HoltWinters alpha must be in (0.0, 1.0]"},
        {"HoltWinters", {0.5, 1.5}, "invalid period: HoltWinters beta must be in (0.0, 1.0]"},
        {"GeneralizedDema", {16777217, 5}, too_long},
        {"GeneralizedDema", {5, 1.5}, "invalid period: GD volume factor must be a finite value in [0.0, 1.0]"},
        {"FundingImpliedApr", {0}, "invalid parameter: intervals_per_year must be finite and positive"},
        {"FundingImpliedApr", {1095}, "built"},
        {"Bollinger", {20, 2}, "built"},
        {"Bollinger", {20}, "missing parameter #1"},
        {"FundingRate", {}, "built"},  // a name without parameters ignores any list
        {"FundingRate", {std::nan(""), -1}, "built"},
    };
    for (const Case& c : cases) EXPECT_EQ(build_message(c.name, c.params), c.message) << c.name;

    // An alias is built and reported under the name it stands for.
    auto r = build_indicator("Bollinger", std::vector<double>{20, 0});
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error(), BuildError::invalid("BollingerBands", "multiplier must be greater than zero"));
    auto a = build_indicator("Bollinger", std::vector<double>{3, 2});
    auto b = build_indicator("BollingerBands", std::vector<double>{3, 2});
    ASSERT_TRUE(a && b);
    for (double c : {1.0, 2.0, 4.0, 3.0}) EXPECT_EQ(test::feed_close(**a, c), test::feed_close(**b, c));
    EXPECT_EQ((*a)->outputs(), (*b)->outputs());
    EXPECT_FALSE((*a)->outputs().empty());
}

TEST(Registry, EqualCallsGiveIndependentObjects) {
    auto a = build_indicator("Sma", std::vector<double>{2});
    auto b = build_indicator("Sma", std::vector<double>{2});
    ASSERT_TRUE(a && b);
    EXPECT_NE(a->get(), b->get());
    EXPECT_FALSE(test::feed_close(**a, 1.0));
    EXPECT_EQ(test::feed_close(**a, 3.0), 2.0);
    EXPECT_FALSE(test::feed_close(**b, 5.0)) << "b has seen nothing of a's bars";
}

}  // namespace
}  // namespace torvex
