// Profile indicators: checks, the price grid's edges, the point of control's third,
// single prints and naked points of control on hand-made windows.
#include "tests/cpp/candlesticks/whole_bar_cases.hpp"

namespace torvex::test {
namespace {

const std::string kMax = "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";

TEST(Profiles, ParameterChecks) {
    EXPECT_EQ(build_message("ProfileShape", {1e-300, 2}), kZero);
    EXPECT_EQ(build_message("ProfileShape", {10, 2}), "invalid period: profile shape needs bins >= 3");
    EXPECT_EQ(build_message("ProfileShape", {16777217, 3}), kMax);
    EXPECT_EQ(build_message("ProfileShape", {10, 16777217}), kMax);
    EXPECT_EQ(build_message("ProfileShape", {10, 3}), "built");
    EXPECT_EQ(build_message("SinglePrints", {10, 1e-300}), kZero);
    EXPECT_EQ(build_message("SinglePrints", {10, 16777217}), kMax);
    EXPECT_EQ(build_message("NakedPoc", {1e-300, 16777217}), kZero);
    EXPECT_EQ(build_message("NakedPoc", {16777217, 10}), kMax);
    EXPECT_EQ(build_message("NakedPoc", {10, 16777217}), kMax);
    EXPECT_EQ(make("NakedPoc", {7, 10})->warmup(), 7u);
}

TEST(Profiles, ShapeByThirdOfThePointOfControl) {
    struct Case {
        const char* label;
        std::vector<Ohlcv> bars;
        double want;
    };
    const Case cases[] = {
        // Range 10 to 12 in three bins of 2/3: the volume sits in the top bin.
        {"top third", {B(11, 12, 10, 11, 0), B(12, 12, 11.5, 11.5, 100)}, 1.0},
        {"middle third", {B(11, 12, 10, 11, 0), B(11, 11.2, 10.8, 11, 100)}, 0.0},
        {"bottom third", {B(11, 12, 10, 11, 0), B(10, 10.5, 10, 10.5, 100)}, -1.0},
        {"one price", {B(5, 5, 5, 5, 10), B(5, 5, 5, 5, 10)}, -1.0},
        {"no volume", {B(11, 12, 10, 11, 0), B(12, 12, 11.5, 11.5, 0)}, -1.0},
        // Equal volume in every bin: the lowest bin wins the tie.
        {"tie goes low", {B(11, 12, 10, 11, 30), B(11, 12, 10, 11, 30)}, -1.0},
    };
    for (const Case& c : cases) {
        IndicatorBox ind = make("ProfileShape", {2, 3});
        ASSERT_TRUE(ind);
        const auto got = feed_all(*ind, c.bars);
        EXPECT_FALSE(got[0].has_value()) << c.label;
        EXPECT_EQ(got[1], c.want) << c.label;
    }
}

TEST(Profiles, SinglePrintsCountBinsTouchedOnce) {
    IndicatorBox ind = make("SinglePrints", {2, 4});
    ASSERT_TRUE(ind);
    // Range 10 to 14 in bins of 1: the first bar covers bins 0 to 2, the second (whose
    // high is the window's highest, so bin 3, not 4) bins 1 to 3: touches 1, 2, 2, 1.
    EXPECT_EQ(feed_all(*ind, {B(11, 12, 10, 11, 5), B(12, 14, 11, 13, 0)}), (Expected{None, 2.0}));
    // Flat window: 0.0.
    IndicatorBox flat = make("SinglePrints", {3, 4});
    ASSERT_TRUE(flat);
    EXPECT_EQ(feed_all(*flat, {around(5), B(5, 5, 5, 5), B(5, 5, 5, 5), B(5, 5, 5, 5)}).back(), 0.0);
}

TEST(Profiles, NakedPointsOfControl) {
    IndicatorBox ind = make("NakedPoc", {3, 2});
    ASSERT_TRUE(ind);
    // Block 1: range 10 to 14 in bins of 2; volume 20 in bin 0 against 1 in bin 1, so
    // the point of control is the middle of bin 0, 11.
    auto got = feed_all(*ind, {B(10, 11, 10, 10.5, 10), B(10.5, 11, 10, 11, 10), B(12, 14, 12, 13, 1)});
    EXPECT_EQ(got, (Expected{None, None, 11.0}));
    // A bar touching 11 removes it: the close answers.
    EXPECT_EQ(feed(*ind, B(11, 11.2, 10.8, 11.1, 1)), 11.1);
    // The next block (bars 4 to 6) spans 10.8 to 24 in two bins; its volume lies in bin
    // 1. The new point is not tested against the bar that made it.
    EXPECT_EQ(feed(*ind, B(22, 24, 22, 23, 50)), 23.0);
    const auto third = feed(*ind, B(23, 24, 22, 22.5, 50));
    ASSERT_TRUE(third.has_value());
    EXPECT_EQ(*third, 10.8 + ((24.0 - 10.8) / 2.0) * 1.5);
}

TEST(Profiles, EquidistantNakedPointsGiveTheOlder) {
    IndicatorBox ind = make("NakedPoc", {2, 1});
    ASSERT_TRUE(ind);
    // Blocks of two bars and one bin: a point of control is the middle of its block.
    const auto got = feed_all(*ind, {B(10, 12, 8, 10), B(10, 11, 9, 10), B(30, 32, 28, 30), B(30, 31, 29, 30),
                                     B(20, 20.5, 19.5, 20)});
    // Points 10 and 30 lie equally far from the last close, 20: the older one answers.
    EXPECT_EQ(got, (Expected{None, 10.0, 10.0, 30.0, 10.0}));

    // A point made again at an older point's price loses ties as the older one does:
    // points 1, 2 and 1 again lie 0.5 from the close 1.5, and 1 answers, not 2.
    const auto flat = [](double x) { return B(x, x, x, x); };
    IndicatorBox again = make("NakedPoc", {2, 1});
    ASSERT_TRUE(again);
    EXPECT_EQ(feed_all(*again, {flat(0), flat(2), flat(1.5), flat(2.5), flat(0.5), flat(1.5)}),
              (Expected{None, 1.0, 1.0, 2.0, 1.0, 1.0}));
    // -0.0 (a flat block there) and then +0.0 (the middle of -1..1) are one distance
    // from the close 1: the older one answers, sign and all.
    IndicatorBox zeros = make("NakedPoc", {2, 1});
    ASSERT_TRUE(zeros);
    const auto z = feed_all(*zeros, {flat(-0.0), flat(-0.0), flat(-1), flat(1)});
    ASSERT_TRUE(z[3].has_value());
    EXPECT_EQ(*z[3], 0.0);
    EXPECT_TRUE(std::signbit(*z[3]));
}

TEST(Profiles, RefusedCandlesChangeNothing) {
    expect_refusals_change_nothing("ProfileShape", {20, 10}, true);
    expect_refusals_change_nothing("SinglePrints", {20, 10}, true);
    expect_refusals_change_nothing("NakedPoc", {5, 10}, true);
}

}  // namespace
}  // namespace torvex::test
