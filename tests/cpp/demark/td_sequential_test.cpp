// DeMark sequential and its lines, risk levels, averages and range projection: checks,
// a full 9-13 sequence with the deferred 13th count, side changes, run levels and
// their NaN placeholders, and the projection's three bar shapes.
#include <cmath>
#include <limits>

#include "tests/cpp/profiles/output_list_contract.hpp"

namespace torvex::test {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A bar closing at c with a range of one around it.
Ohlcv at_close(double c) { return B(c, c + 0.5, c - 0.5, c); }

std::vector<double> list_of(const DynIndicator& ind) {
    std::vector<double> v;
    for (const NamedOutput& o : ind.outputs()) v.push_back(o.value);
    return v;
}

// Equal element by element, NaN matching NaN.
void expect_list(const DynIndicator& ind, const std::vector<double>& want, const std::string& where) {
    const std::vector<double> got = list_of(ind);
    ASSERT_EQ(got.size(), want.size()) << where;
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_TRUE(got[i] == want[i] || (std::isnan(got[i]) && std::isnan(want[i])))
            << where << " output " << i << ": " << got[i] << " against " << want[i];
    }
}

TEST(TdSequential, ParameterChecks) {
    struct Case {
        const char* name;
        std::vector<double> params;
        std::string want;
    };
    const Case cases[] = {
        {"TdSequential", {4, 9, 2, 13}, "built"},
        {"TdSequential", {4, 9, 2, 1e-300}, kZero},
        {"TdSequential", {16777217, 9, 2, 13}, kTooLong},
        {"TdSequential", {4, 1e18, 2, 1e18}, "built"},  // the lengths are counts, not storage
        {"TdLines", {1, 3}, "built"},
        {"TdLines", {1e-300, 3}, kZero},
        {"TdLines", {16777217, 3}, kTooLong},
        {"TdRiskLevel", {2, 1e-300}, kZero},
        {"TdRiskLevel", {16777217, 2}, kTooLong},
        {"TdMovingAverage", {5, 5}, "invalid period: TD moving average ST1 period must be strictly less than ST2"},
        {"TdMovingAverage", {1e-300, 5}, kZero},
        {"TdMovingAverage", {3, 16777217}, kTooLong},
        {"TdMovingAverage", {3, 5}, "built"},
        {"TdRangeProjection", {}, "built"},
    };
    for (const Case& c : cases) EXPECT_EQ(build_message(c.name, c.params), c.want) << c.name;
    EXPECT_EQ(make("TdSequential", {4, 9, 2, 13})->warmup(), 5u);
    EXPECT_EQ(make("TdLines", {1, 2})->warmup(), 2u);
    EXPECT_EQ(make("TdMovingAverage", {3, 5})->warmup(), 5u);
}

TEST(TdSequential, OutputListContract) {
    const ListedType types[] = {
        {"TdSequential", {4, 9, 2, 13}, {"setup", "countdown", "direction"}},
        {"TdLines", {2, 2}, {"resistance", "support"}, false},
        {"TdRiskLevel", {2, 2}, {"buy_risk", "sell_risk"}, false},
        {"TdMovingAverage", {3, 5}, {"st1", "st2"}},
        {"TdRangeProjection", {}, {"high", "low"}},
    };
    for (const ListedType& t : types) expect_list_contract(t);
}

// Closes 99, 98, ... each below the close four bars earlier and at or below the low
// two bars back: setup 1 to 9 on bars 5 to 13, the buy side from bar 13 with
// countdown 1 on that very bar, count 8 on bar 20 (close 80). On bar 25 the price has
// bounced: the bar qualifies (close 83 at or below 84.5, the low two back) but its low
// 82.5 is above 80, so the count stays at 12; bar 26 reaches down to 78.5 and makes 13.
TEST(TdSequential, FullSetupAndCountdown) {
    IndicatorBox ind = make("TdSequential", {4, 9, 2, 13});
    for (int i = 1; i <= 24; ++i) {
        const auto got = feed(*ind, at_close(100.0 - i));
        if (i <= 4) {
            EXPECT_FALSE(got.has_value()) << "bar " << i;
            continue;
        }
        const double setup = std::min(i - 4, 9);
        const double countdown = i >= 13 ? i - 12 : 0;
        const double direction = i >= 13 ? 1.0 : 0.0;
        expect_list(*ind, {setup, countdown, direction}, "bar " + std::to_string(i));
    }
    // Rising closes run a sell setup (against closes 79, 78, 77 four bars back) but do
    // not qualify; the buy side keeps its count.
    feed(*ind, at_close(85));
    expect_list(*ind, {-1, 12, 1}, "bar 25");
    feed(*ind, at_close(86));
    expect_list(*ind, {-2, 12, 1}, "bar 26");
    feed(*ind, at_close(83));
    expect_list(*ind, {-3, 12, 1}, "bar 27: qualifies, low above the close of count 8");
    feed(*ind, at_close(79));
    expect_list(*ind, {-4, 13, 1}, "bar 28: low 78.5 reaches 80");
    feed(*ind, at_close(60));
    expect_list(*ind, {1, 13, 1}, "bar 29: the count stays at 13");
}

TEST(TdSequential, SideChangesAndEqualCloses) {
    // (1, 2, 1, 13): two falling closes complete a buy setup; two rising ones a sell.
    IndicatorBox ind = make("TdSequential", {1, 2, 1, 13});
    feed(*ind, at_close(10));
    feed(*ind, at_close(9));
    feed(*ind, at_close(8));
    expect_list(*ind, {2, 1, 1}, "buy setup; close 8 under the low 8.5 counts");
    feed(*ind, at_close(8));
    expect_list(*ind, {0, 1, 1}, "equal close: setup 0, countdown and side kept");
    feed(*ind, at_close(9));
    expect_list(*ind, {-1, 1, 1}, "one rising close");
    feed(*ind, at_close(9.6));
    expect_list(*ind, {-2, -1, -1}, "sell setup; 9.6 at or above the high 9.5 counts 1");
    feed(*ind, at_close(9.7));
    expect_list(*ind, {-2, -1, -1}, "9.7 below the high 10.1: no count");
    // A sell setup completing on a bar that does not qualify: countdown 0.
    IndicatorBox other = make("TdSequential", {1, 2, 1, 13});
    for (double c : {10.0, 9.0, 8.0, 8.2, 8.4}) feed(*other, at_close(c));
    expect_list(*other, {-2, 0, -1}, "sell side with no count yet");
}

// With a countdown length of 5 or less no close is ever recorded, so the final count
// needs only the qualifying close.
TEST(TdSequential, ShortCountdownNeedsNoReference) {
    IndicatorBox ind = make("TdSequential", {1, 1, 1, 3});
    for (double c : {10.0, 9.0, 8.0, 7.0, 6.0}) feed(*ind, at_close(c));
    expect_list(*ind, {1, 3, 1}, "count 3 reached");
}

// (1, 3): three falling closes publish the highest high of the three as resistance.
TEST(TdLines, LevelsFromRuns) {
    IndicatorBox ind = make("TdLines", {1, 3});
    EXPECT_FALSE(feed(*ind, B(10, 11, 9, 10)));
    EXPECT_FALSE(feed(*ind, B(9, 12, 8, 9)));
    EXPECT_FALSE(feed(*ind, B(8, 8.5, 7, 8)));
    EXPECT_EQ(feed(*ind, B(7, 9, 6, 7)), 12.0);
    expect_list(*ind, {12, kNaN}, "falling run of three");
    EXPECT_EQ(feed(*ind, B(6, 7.5, 5, 6)), 12.0);
    expect_list(*ind, {12, kNaN}, "a fourth falling bar sets it again");
    // An equal close restarts the runs but keeps the level.
    feed(*ind, B(6, 6.5, 5.5, 6));
    expect_list(*ind, {12, kNaN}, "equal close");

    IndicatorBox up = make("TdLines", {1, 3});
    feed(*up, B(10, 11, 9, 10));
    feed(*up, B(11, 12, 9.5, 11));
    feed(*up, B(12, 13, 10.5, 12));
    const auto got = feed(*up, B(13, 14, 12, 13));
    ASSERT_TRUE(got.has_value());
    EXPECT_TRUE(std::isnan(*got));
    expect_list(*up, {kNaN, 9.5}, "rising run of three: support only");
}

// (1, 2): after a first bar, two falling closes, the second with the lower low:
// buy risk = that low minus its true range against the close before it.
TEST(TdRiskLevel, RecordLowMinusItsTrueRange) {
    IndicatorBox ind = make("TdRiskLevel", {1, 2});
    EXPECT_FALSE(feed(*ind, B(10, 11, 9, 10)));
    EXPECT_FALSE(feed(*ind, B(10, 10.5, 8.5, 9)));
    feed(*ind, B(9, 9.2, 7, 8));  // true range max(9.2 - 7, 0.2, 2) = 9.2 - 7
    const double buy_risk = 7 - (9.2 - 7);
    expect_list(*ind, {buy_risk, kNaN}, "falling run of two");
    // A later equal low keeps the earlier record (and its true range).
    feed(*ind, B(8, 12, 7, 7.5));
    expect_list(*ind, {buy_risk, kNaN}, "equal low");
    // A rising run of two: sell risk = highest high plus its true range.
    feed(*ind, B(8, 9, 7.5, 8.5));  // true range max(1.5, 1.5, 0) = 1.5
    feed(*ind, B(9, 10, 8.8, 9.5));  // true range max(1.2, 1.5, 0.3) = 1.5
    expect_list(*ind, {buy_risk, 10 + 1.5}, "rising run of two");
}

TEST(TdMovingAverage, MediansAveragedTwice) {
    IndicatorBox ind = make("TdMovingAverage", {3, 5});
    const std::vector<Ohlcv> bars = {B(2, 3, 1, 2), B(3, 5, 1, 4), B(4, 6, 2, 5), B(5, 8, 4, 7), B(7, 9, 5, 8),
                                     B(8, 11, 7, 9)};
    // Medians 2, 3, 4, 6, 7, 9.
    const Expected want = {None, None, None, None, (4 + 6 + 7) / 3.0, (6 + 7 + 9) / 3.0};
    EXPECT_EQ(feed_all(*ind, bars), want);
    expect_list(*ind, {(6 + 7 + 9) / 3.0, (3 + 4 + 6 + 7 + 9) / 5.0}, "last bar");
}

TEST(TdRangeProjection, ThreeBarShapes) {
    struct Case {
        const char* label;
        Ohlcv bar;
        std::vector<double> want;
    };
    const Case cases[] = {
        {"up bar: x = 2h + l", B(10, 12, 9, 11), {13, 10}},
        {"down bar: x = 2l + h", B(11, 12, 9, 10), {11, 8}},  // x 30, half 20
        {"unchanged: close counted twice", B(10, 12, 9, 10), {11.5, 8.5}},  // half 20.5
    };
    for (const Case& c : cases) {
        IndicatorBox ind = make("TdRangeProjection");
        EXPECT_EQ(feed(*ind, c.bar), c.want[0]) << c.label;
        expect_list(*ind, c.want, c.label);
    }
}

}  // namespace
}  // namespace torvex::test
