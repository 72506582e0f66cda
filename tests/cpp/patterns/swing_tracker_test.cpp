#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "indicators/cores/swing_tracker.hpp"
#include "indicators/levels/fib_confluence.hpp"

using namespace torvex;

namespace {

struct Bar {
    double high, low;
    bool confirms;
};

void run(SwingTracker& t, const std::vector<Bar>& bars) {
    for (std::size_t i = 0; i < bars.size(); ++i)
        EXPECT_EQ(t.step(bars[i].high, bars[i].low), bars[i].confirms) << "bar " << i;
}

std::vector<Pivot> list(const SwingTracker& t) { return {t.pivots().begin(), t.pivots().end()}; }

}  // namespace

TEST(SwingTracker, ConfirmsATopAfterAFivePercentPullback) {
    SwingTracker t(0.05, 5);
    run(t, {{100, 98, false}, {102, 97, false}, {101, 96, true}});
    EXPECT_EQ(list(t), (std::vector<Pivot>{{102, 1.0, 1}}));
    EXPECT_EQ(t.bar_count(), 3u);
    // The falling leg starts at the confirming bar's low (96, bar 2): a bottom there
    // is confirmed by a high of 96 x 1.05.
    run(t, {{100, 97, false}, {(0.05 + 1.0) * 96.0, 99, true}});
    EXPECT_EQ(list(t).back(), (Pivot{96, -1.0, 2}));
}

TEST(SwingTracker, ExtensionComesBeforeReversal) {
    SwingTracker t(0.05, 5);
    // A new high with a low far below the threshold only extends the leg.
    run(t, {{100, 99, false}, {105, 50, false}, {104, 99.75, true}});
    EXPECT_EQ(list(t), (std::vector<Pivot>{{105, 1.0, 1}}));
}

TEST(SwingTracker, EqualExtremeKeepsTheEarlierBar) {
    SwingTracker t(0.05, 5);
    run(t, {{100, 99, false}, {100, 99, false}, {99, 90, true}});
    EXPECT_EQ(list(t), (std::vector<Pivot>{{100, 1.0, 0}}));
    // The same for an equal low in a falling leg.
    run(t, {{92, 90, false}, {94, 91, false}, {94.4, 93, false}});
    run(t, {{(0.05 + 1.0) * 90.0, 91, true}});
    EXPECT_EQ(list(t).back(), (Pivot{90, -1.0, 2}));
}

TEST(SwingTracker, ThresholdsAreInclusive) {
    SwingTracker top(0.05, 5);
    run(top, {{102, 101, false}, {101, (1.0 - 0.05) * 102.0, true}});
    SwingTracker just_above(0.05, 5);
    run(just_above, {{102, 101, false}, {101, std::nextafter((1.0 - 0.05) * 102.0, 200.0), false}});
    EXPECT_TRUE(just_above.pivots().empty());
}

TEST(SwingTracker, ListKeepsTheNewestWithinItsBound) {
    SwingTracker t(0.05, 3);
    run(t, {{100, 100, false}, {80, 80, true}, {100, 100, true}, {80, 80, true}, {110, 110, true}});
    EXPECT_EQ(list(t), (std::vector<Pivot>{{80, -1.0, 1}, {100, 1.0, 2}, {80, -1.0, 3}}));
    // A bound of 0 still reports the confirmation but keeps nothing.
    SwingTracker none(0.05, 0);
    run(none, {{100, 100, false}, {80, 80, true}});
    EXPECT_TRUE(none.pivots().empty());
}

TEST(SwingTracker, RisingMarketConfirmsNothing) {
    SwingTracker t(0.05, 5);
    for (int i = 0; i < 50; ++i) EXPECT_FALSE(t.step(100.0 + i, 60.0 + i));
    EXPECT_TRUE(t.pivots().empty());
}

TEST(SwingTracker, LevelsNearCountsWithinThreePercent) {
    const std::vector<double> none;
    const auto empty = FibConfluence::levels_near(none, 100.0);
    EXPECT_EQ(empty.count, 0u);
    EXPECT_TRUE(std::signbit(empty.sum) && empty.sum == 0.0);

    const std::vector<double> pair = {100.0, 103.0};
    EXPECT_EQ(FibConfluence::levels_near(pair, 103.0).count, 2u);
    EXPECT_EQ(FibConfluence::levels_near(pair, 103.0).sum, 203.0);
    const std::vector<double> apart = {100.0, 103.1};
    EXPECT_EQ(FibConfluence::levels_near(apart, 100.0).count, 1u);
    EXPECT_EQ(FibConfluence::levels_near(apart, 100.0).sum, 100.0);

    const std::vector<double> with_nan = {NAN, 100.0};
    EXPECT_EQ(FibConfluence::levels_near(with_nan, 100.0).count, 1u);
    EXPECT_EQ(FibConfluence::levels_near(pair, NAN).count, 0u);
    const std::vector<double> zeros = {0.0, -0.0};
    EXPECT_EQ(FibConfluence::levels_near(zeros, 0.0).count, 2u);
}

TEST(SwingTracker, NearWithinUsesTheLargerMagnitude) {
    EXPECT_TRUE(near_within(100.0, 103.0, 0.03));
    EXPECT_FALSE(near_within(100.0, 103.1, 0.03));
    EXPECT_TRUE(near_within(0.0, 0.0, 0.03));
    EXPECT_FALSE(near_within(NAN, 1.0, 0.03));
    EXPECT_TRUE(near_within(-100.0, -103.0, 0.03));
}
