// Market breadth indicators fed cross-sections directly through the bar context.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "indicators/breadth/breadth_lines.hpp"
#include "indicators/breadth/breadth_measures.hpp"
#include "indicators/breadth/breadth_thrust.hpp"
#include "indicators/breadth/high_low_index.hpp"
#include "indicators/breadth/mc_clellan.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::boxed;
using test::refusal;

CrossSection panel(const std::vector<double>& changes, const std::vector<double>& volumes = {}) {
    CrossSection p;
    for (std::size_t i = 0; i < changes.size(); ++i)
        p.members.push_back({changes[i], i < volumes.size() ? volumes[i] : 1.0, false, false, false, false});
    return p;
}

std::optional<double> feed_panel(DynIndicator& ind, const CrossSection* p) {
    const Ohlcv bar{0, 1, 1, 1, 1, 1};
    BarContext ctx(bar);
    ctx.cross_section = p;
    return ind.update(ctx);
}

TEST(Breadth, PanelMeasures) {
    const CrossSection mixed = panel({1, -1, 0, 2, std::nan("")}, {5, 2, 9, 0.5, 7});
    const CrossSection empty;
    const CrossSection no_decliners = panel({1, 3, 0.5});
    struct Case {
        const char* label;
        IndicatorBox ind;
        const CrossSection* p;
        double want;
    };
    std::vector<Case> cases;
    cases.push_back({"tick", boxed(TickIndex::create()), &mixed, 1.0});
    cases.push_back({"ad ratio", boxed(AdvanceDeclineRatio::create()), &mixed, 2.0});
    cases.push_back({"abs breadth", boxed(AbsoluteBreadthIndex::create()), &mixed, 1.0});
    cases.push_back({"ad ratio no decliners", boxed(AdvanceDeclineRatio::create()), &no_decliners, 3.0});
    cases.push_back({"ad ratio empty", boxed(AdvanceDeclineRatio::create()), &empty, 0.0});
    cases.push_back({"up/down volume", boxed(UpDownVolumeRatio::create()), &mixed, 5.5 / 2.0});
    // (2 / 1) / (5.5 / 2)
    cases.push_back({"trin", boxed(Trin::create()), &mixed, 2.0 / (5.5 / 2.0)});
    // Volume sums below 1 count as 1: up 0.5 -> 1, down 0 -> 1.
    const CrossSection thin = panel({1, 1, -1}, {0.25, 0.25, 0.0});
    cases.push_back({"trin thin volume", boxed(Trin::create()), &thin, 2.0});
    cases.push_back({"trin empty", boxed(Trin::create()), &empty, 0.0});
    for (Case& c : cases) EXPECT_EQ(feed_panel(*c.ind, c.p), c.want) << c.label;

    CrossSection flags = panel({1, 1, -1, -1});
    flags.members[0].above_ma = flags.members[1].above_ma = flags.members[2].above_ma = true;
    flags.members[3].bullish = true;
    flags.members[0].new_high = flags.members[1].new_high = true;
    flags.members[2].new_low = true;
    EXPECT_EQ(feed_panel(*boxed(PercentAboveMa::create()), &flags), 75.0);
    EXPECT_EQ(feed_panel(*boxed(BullishPercentIndex::create()), &flags), 25.0);
    EXPECT_EQ(feed_panel(*boxed(NewHighsNewLows::create()), &flags), 1.0);
    EXPECT_TRUE(std::isnan(*feed_panel(*boxed(PercentAboveMa::create()), &empty)));
    EXPECT_TRUE(std::isnan(*feed_panel(*boxed(BullishPercentIndex::create()), &empty)));
    EXPECT_EQ(feed_panel(*boxed(TickIndex::create()), nullptr), std::nullopt);
}

TEST(Breadth, Lines) {
    const CrossSection up = panel({1, 2, -1}, {10, 5, 4});
    const CrossSection down = panel({-1, -2, -3}, {1, 1, 1});
    const CrossSection empty;
    auto ad = boxed(AdvanceDecline::create());
    EXPECT_EQ(feed_panel(*ad, &up), 1.0);
    EXPECT_EQ(feed_panel(*ad, nullptr), std::nullopt);
    EXPECT_EQ(feed_panel(*ad, &down), -2.0);
    EXPECT_EQ(feed_panel(*ad, &empty), -2.0);
    for (auto make : {+[] { return boxed(AdVolumeLine::create()); }, +[] { return boxed(CumulativeVolumeIndex::create()); }}) {
        IndicatorBox v = make();
        EXPECT_EQ(feed_panel(*v, &up), 11.0);
        EXPECT_EQ(feed_panel(*v, &down), 8.0);
        EXPECT_EQ(feed_panel(*v, &empty), 8.0);
    }
}

TEST(Breadth, McClellan) {
    const CrossSection a = panel({1, 1, 1, -1});  // x = 500
    const CrossSection b = panel({-1, -1, 1, 0});  // x = -1000/3
    auto osc = boxed(McClellanOscillator::create());
    auto sum = boxed(McClellanSummationIndex::create());
    EXPECT_EQ(feed_panel(*osc, &a), 0.0);
    EXPECT_EQ(feed_panel(*sum, &a), 0.0);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(feed_panel(*osc, &a), 0.0);
        EXPECT_EQ(feed_panel(*sum, &a), 0.0);
    }
    // Independent averages from the seed 500.
    const double x = (1.0 - 2.0) / 3.0 * 1000.0;
    const double fast = 500.0 + (x - 500.0) * 0.1;
    const double slow = 500.0 + (x - 500.0) * 0.05;
    EXPECT_DOUBLE_EQ(*feed_panel(*osc, &b), fast - slow);
    EXPECT_DOUBLE_EQ(*feed_panel(*sum, &b), fast - slow);
    EXPECT_EQ(feed_panel(*osc, nullptr), std::nullopt);
}

TEST(Breadth, ThrustAndHighLow) {
    EXPECT_EQ(refusal(BreadthThrust::create(0)), test::kZero);
    EXPECT_EQ(refusal(BreadthThrust::create(test::kOver)), test::kTooLong);
    EXPECT_EQ(refusal(HighLowIndex::create(0)), test::kZero);
    EXPECT_EQ(refusal(HighLowIndex::create(test::kOver)), test::kTooLong);

    auto thrust = boxed(BreadthThrust::create(3));
    EXPECT_EQ(thrust->warmup(), 3u);
    const CrossSection p1 = panel({1, -1});         // 0.5
    const CrossSection p2 = panel({1, 1, 1, -1});   // 0.75
    const CrossSection p3;                          // 0
    EXPECT_EQ(feed_panel(*thrust, &p1), std::nullopt);
    EXPECT_EQ(feed_panel(*thrust, &p2), std::nullopt);
    const auto seed = feed_panel(*thrust, &p3);
    ASSERT_TRUE(seed);
    EXPECT_DOUBLE_EQ(*seed, 1.25 / 3.0);
    EXPECT_DOUBLE_EQ(*feed_panel(*thrust, &p1), std::fma(0.5, 0.5, 0.5 * (1.25 / 3.0)));

    auto hl = boxed(HighLowIndex::create(2));
    CrossSection highs = panel({1, 1, 1, -1});
    highs.members[0].new_high = highs.members[1].new_high = highs.members[2].new_high = true;
    highs.members[3].new_low = true;  // 75 %
    const CrossSection none;          // 0 enters
    EXPECT_EQ(feed_panel(*hl, &highs), std::nullopt);
    EXPECT_EQ(feed_panel(*hl, &none), 37.5);
}

}  // namespace
}  // namespace torvex
