// Session and opening ranges: the local day and hour in fixed UTC offsets (days that
// cross UTC midnight, times before 1970), the three session blocks, the running
// opening range, and the overnight and intraday returns.
#include "tests/cpp/profiles/output_list_contract.hpp"

namespace torvex::test {
namespace {

constexpr std::int64_t kJan1 = 1'704'067'200'000;  // 2024-01-01 00:00 UTC
constexpr std::int64_t kHour = 3'600'000;
constexpr std::int64_t kMinute = 60'000;

Ohlcv at(std::int64_t ts, double o, double h, double l, double c) { return Ohlcv{ts, o, h, l, c, 1.0}; }
// A bar at ts whose range is `width`, around 100.
Ohlcv wide(std::int64_t ts, double width) { return at(ts, 100, 100 + width, 100, 100); }

std::vector<double> list_after(DynIndicator& ind, const Ohlcv& bar) {
    feed(ind, bar);
    std::vector<double> v;
    for (const NamedOutput& o : ind.outputs()) v.push_back(o.value);
    return v;
}

TEST(Sessions, ParameterChecks) {
    EXPECT_EQ(build_message("InitialBalance", {1e-300}), kZero);
    EXPECT_EQ(build_message("InitialBalance", {16777217}), kTooLong);
    EXPECT_EQ(build_message("OpeningRange", {16777216}), "built");
    EXPECT_EQ(build_message("OpeningRange", {0.5}), "parameter #0 must be a positive integer, got 0.5");
    EXPECT_EQ(build_message("SessionRange", {-720}), "built");
    EXPECT_EQ(build_message("SessionHighLow", {2147483648.0}), "parameter #0 must be an i32, got 2147483648");
    EXPECT_EQ(build_message("OvernightIntradayReturn", {0}), "built");
    EXPECT_EQ(make("OvernightIntradayReturn", {0})->warmup(), 2u);
    EXPECT_EQ(make("InitialBalance", {5})->warmup(), 1u);
}

TEST(Sessions, OutputListContract) {
    const ListedType types[] = {
        {"InitialBalance", {5}, {"high", "low"}},
        {"OpeningRange", {5}, {"high", "low", "breakout_distance"}},
        {"SessionHighLow", {-330}, {"high", "low"}},
        {"SessionRange", {540}, {"asia", "eu", "us"}},
        {"OvernightIntradayReturn", {-300}, {"overnight", "intraday"}, false},
    };
    for (const ListedType& t : types) expect_list_contract(t);
}

TEST(Sessions, SessionBlocksByLocalHour) {
    struct Step {
        std::int64_t ts;
        double width;
        std::vector<double> want;  // asia, eu, us
    };
    struct Case {
        const char* label;
        double offset;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"UTC, one bar per block, then a new day at 00:30",
         0,
         {{kJan1 + 1 * kHour, 1, {1, 0, 0}},
          {kJan1 + 9 * kHour, 2, {1, 2, 0}},
          {kJan1 + 17 * kHour, 3, {1, 2, 3}},
          {kJan1 + 24 * kHour + 30 * kMinute, 4, {4, 0, 0}}}},
        {"UTC+2: 22:30 UTC opens the next local day in asia",
         120,
         {{kJan1 + 20 * kHour, 1, {0, 0, 1}}, {kJan1 + 22 * kHour + 30 * kMinute, 2, {2, 0, 0}}}},
        {"UTC-5: 03:00 UTC on 2 January is 22:00 on 1 January",
         -300,
         {{kJan1 + 22 * kHour, 1, {0, 0, 1}}, {kJan1 + 27 * kHour, 2, {0, 0, 2}}, {kJan1 + 29 * kHour, 5, {5, 0, 0}}}},
        {"before 1970: -1 ms is 23:59:59 of 31 December 1969",
         0,
         {{-1, 1, {0, 0, 1}}, {0, 2, {2, 0, 0}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox ind = make("SessionRange", {c.offset});
        for (const Step& s : c.steps) EXPECT_EQ(list_after(*ind, wide(s.ts, s.width)), s.want);
    }
    // Two bars in one block: the block's own high and low.
    IndicatorBox ind = make("SessionRange", {0});
    feed(*ind, at(kJan1 + 9 * kHour, 10, 12, 9, 11));
    EXPECT_EQ(list_after(*ind, at(kJan1 + 15 * kHour, 11, 11.5, 10.5, 11)), (std::vector<double>{0, 3, 0}));
}

TEST(Sessions, SessionHighLowAcrossLocalMidnight) {
    // UTC+5:30: 18:29 UTC is 23:59 local and 18:31 UTC is 00:01 of the next day.
    IndicatorBox ind = make("SessionHighLow", {330});
    EXPECT_EQ(list_after(*ind, at(kJan1 + 18 * kHour + 29 * kMinute, 10, 15, 5, 10)), (std::vector<double>{15, 5}));
    EXPECT_EQ(list_after(*ind, at(kJan1 + 18 * kHour + 30 * kMinute, 10, 11, 9, 10)), (std::vector<double>{11, 9}));
    EXPECT_EQ(list_after(*ind, at(kJan1 + 20 * kHour, 10, 12, 9.5, 10)), (std::vector<double>{12, 9}));
    // A refused bar of a new day does not start it.
    EXPECT_FALSE(feed(*ind, at(kJan1 + 48 * kHour, 10, 9, 11, 10)));
    EXPECT_EQ(list_after(*ind, at(kJan1 + 21 * kHour, 10, 10.5, 9.8, 10)), (std::vector<double>{12, 9}));
}

TEST(Sessions, InitialBalanceAndOpeningRange) {
    const std::vector<Ohlcv> bars = {at(0, 9.5, 10, 9, 9.5), at(0, 11, 12, 8, 11), at(0, 10.5, 11, 10, 10.5),
                                     at(0, 14, 15, 7, 14)};
    const std::vector<std::vector<double>> balance = {{10, 9}, {12, 8}, {12, 8}, {12, 8}};
    const std::vector<std::vector<double>> opening = {{10, 9, 0}, {12, 8, 1}, {12, 8, 0.5}, {12, 8, 4}};
    IndicatorBox ib = make("InitialBalance", {3});
    IndicatorBox orng = make("OpeningRange", {3});
    for (std::size_t i = 0; i < bars.size(); ++i) {
        EXPECT_EQ(list_after(*ib, bars[i]), balance[i]) << "bar " << i + 1;
        EXPECT_EQ(list_after(*orng, bars[i]), opening[i]) << "bar " << i + 1;
    }
}

TEST(Sessions, OvernightAndIntradayReturns) {
    IndicatorBox ind = make("OvernightIntradayReturn", {0});
    EXPECT_FALSE(feed(*ind, at(kJan1 + 10 * kHour, 99, 101, 98, 99)));
    EXPECT_FALSE(feed(*ind, at(kJan1 + 20 * kHour, 99, 101, 98, 100)));
    EXPECT_EQ(list_after(*ind, at(kJan1 + 25 * kHour, 101, 103, 100, 102)),
              (std::vector<double>{101.0 / 100.0 - 1.0, 102.0 / 101.0 - 1.0}));
    EXPECT_EQ(list_after(*ind, at(kJan1 + 30 * kHour, 102, 105, 101, 104)),
              (std::vector<double>{101.0 / 100.0 - 1.0, 104.0 / 101.0 - 1.0}));
    // A zero close before the day change and a zero open: both returns 0.0.
    IndicatorBox zero = make("OvernightIntradayReturn", {0});
    feed(*zero, at(kJan1, 0, 1, 0, 0));
    EXPECT_EQ(list_after(*zero, at(kJan1 + 24 * kHour, 0, 2, 0, 1)), (std::vector<double>{0.0, 0.0}));
}

}  // namespace
}  // namespace torvex::test
