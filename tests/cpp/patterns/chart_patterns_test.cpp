#include <gtest/gtest.h>

#include <vector>

#include "indicators/patterns/abcd.hpp"
#include "indicators/patterns/bat.hpp"
#include "indicators/patterns/butterfly.hpp"
#include "indicators/patterns/crab.hpp"
#include "indicators/patterns/cup_and_handle.hpp"
#include "indicators/patterns/cypher.hpp"
#include "indicators/patterns/double_top_bottom.hpp"
#include "indicators/patterns/flag_pennant.hpp"
#include "indicators/patterns/gartley.hpp"
#include "indicators/patterns/head_and_shoulders.hpp"
#include "indicators/patterns/rectangle_range.hpp"
#include "indicators/patterns/shark.hpp"
#include "indicators/patterns/three_drives.hpp"
#include "indicators/patterns/triangle.hpp"
#include "indicators/patterns/triple_top_bottom.hpp"
#include "indicators/patterns/wedge.hpp"
#include "pattern_bars.hpp"

using namespace torvex;
using test::box;

namespace {

// A detector, the pivots its bars confirm (the first a top) and the value on the
// bar that confirms the last of them.
struct PatternCase {
    const char* label;
    test::Maker make;
    std::vector<double> pivots;
    double want;
};

void expect_patterns(const std::vector<PatternCase>& cases) {
    for (const PatternCase& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox ind = test::make(c.make);
        ASSERT_TRUE(ind);
        const std::uint64_t k = ind->warmup() - 1;  // pivots the pattern needs
        const std::vector<Ohlcv> bars = test::zigzag(c.pivots);
        std::optional<double> got;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            got = test::feed(*ind, bars[i]);
            // Pivot j is confirmed on bar j + 1: nothing before the k-th.
            EXPECT_EQ(got.has_value(), i >= k) << "bar " << i;
        }
        ASSERT_TRUE(got);
        EXPECT_EQ(*got, c.want);
    }
}

}  // namespace

TEST(ChartPatterns, HarmonicFivePointPatterns) {
    expect_patterns({
        // X 100 (a bottom), A 200: ratios 0.618, 0.618, 1.44, 0.786.
        {"Gartley", box<Gartley>(), {130, 100, 200, 138.2, 176.4, 121.4}, 1.0},
        {"Gartley AB/XA on its bound 0.7", box<Gartley>(), {130, 100, 200, 130, 176.4, 121.4}, 1.0},
        {"Gartley AB/XA 0.701", box<Gartley>(), {130, 100, 200, 129.9, 176.4, 121.4}, 0.0},
        // 0.45, 0.7, 2.365, 0.88.
        {"Bat", box<Bat>(), {130, 100, 200, 155, 186.5, 112}, 1.0},
        {"Bat AD/XA on its bound 0.93", box<Bat>(), {130, 100, 200, 155, 186.5, 107}, 1.0},
        {"Bat AD/XA 0.931", box<Bat>(), {130, 100, 200, 155, 186.5, 106.9}, 0.0},
        // 0.786, 0.618, 2.264, 1.4.
        {"Butterfly", box<Butterfly>(), {130, 100, 200, 121.4, 169.975, 60}, 1.0},
        {"Butterfly AB/XA 0.85", box<Butterfly>(), {130, 100, 200, 115, 169.975, 60}, 0.0},
        // 0.5, 0.86, 3.558, 1.6.
        {"Crab", box<Crab>(), {130, 100, 200, 150, 193, 40}, 1.0},
        {"Crab AB/XA 0.63", box<Crab>(), {130, 100, 200, 137, 180, 40}, 0.0},
        // 1.3, 2, 0.865, 0.95.
        {"Shark", box<Shark>(), {130, 100, 200, 70, 330, 105}, 1.0},
        {"Shark AB/XA 1.65", box<Shark>(), {130, 100, 200, 35, 330, 105}, 0.0},
        // AB/XA 0.5, XC/XA 1.35, CD/XC 0.78.
        {"Cypher", box<Cypher>(), {130, 100, 200, 150, 235, 129.7}, 1.0},
        {"Cypher XC/XA 1.45", box<Cypher>(), {130, 100, 200, 150, 245, 131.9}, 0.0},
        // The mirror image completes at a top.
        {"Gartley bearish", box<Gartley>(), {200, 100, 161.8, 123.6, 178.6}, -1.0},
        // Prices of zero confirm a pivot on every bar: every leg is zero and every
        // ratio undefined.
        {"Gartley zero legs", box<Gartley>(), {130, 0, 0, 0, 0, 0}, 0.0},
    });
}

TEST(ChartPatterns, FourPointAndClassicPatterns) {
    expect_patterns({
        // |BC|/|AB| 0.6, |CD|/|BC| 1.667 (1.833), |AB| = 100 against |CD| 100 (110).
        {"Abcd", box<Abcd>(), {200, 100, 160, 60}, 1.0},
        {"Abcd legs 100 and 110", box<Abcd>(), {200, 100, 160, 50}, 1.0},
        {"Abcd legs 100 and 111.2", box<Abcd>(), {200, 100, 160, 48.8}, 0.0},
        {"HeadAndShoulders", box<HeadAndShoulders>(), {100, 90, 110, 91, 101}, -1.0},
        {"HeadAndShoulders low head", box<HeadAndShoulders>(), {100, 90, 100.5, 91, 101}, 0.0},
        {"HeadAndShoulders head equals a shoulder", box<HeadAndShoulders>(), {100, 90, 101, 91, 101}, 0.0},
        {"HeadAndShoulders shoulders 100 and 103.1", box<HeadAndShoulders>(), {100, 90, 110, 91, 103.1}, 0.0},
        {"HeadAndShoulders shoulders 100 and 103", box<HeadAndShoulders>(), {100, 90, 110, 91, 103}, -1.0},
        {"Inverse HeadAndShoulders", box<HeadAndShoulders>(), {120, 100, 115, 90, 114, 101}, 1.0},
        {"RectangleRange", box<RectangleRange>(), {100, 80, 103, 82.4}, 1.0},
        {"RectangleRange bottoms 80 and 82.5", box<RectangleRange>(), {100, 80, 103, 82.5}, 0.0},
        {"CupAndHandle", box<CupAndHandle>(), {100, 70, 102, 90}, 1.0},
        {"CupAndHandle rims 100 and 103.1", box<CupAndHandle>(), {100, 70, 103.1, 90}, 0.0},
        {"CupAndHandle handle below the cup", box<CupAndHandle>(), {100, 70, 102, 65}, 0.0},
        {"CupAndHandle inverted", box<CupAndHandle>(), {130, 100, 130, 101, 115}, -1.0},
        {"DoubleTopBottom tops 100 and 103", box<DoubleTopBottom>(), {100, 90, 103}, -1.0},
        {"DoubleTopBottom tops 100 and 103.1", box<DoubleTopBottom>(), {100, 90, 103.1}, 0.0},
        {"DoubleTopBottom bottoms", box<DoubleTopBottom>(), {120, 100, 120, 102}, 1.0},
        {"FlagPennant flag of half the pole", box<FlagPennant>(), {110, 100, 120, 110}, 0.0},
        {"FlagPennant rising pole", box<FlagPennant>(), {110, 100, 120, 111}, 1.0},
        {"FlagPennant falling pole", box<FlagPennant>(), {120, 100, 109}, -1.0},
    });
}

TEST(ChartPatterns, WedgeTriangleTripleAndThreeDrives) {
    expect_patterns({
        // Highs 100 -> 105, lows 80 -> 90: lows rise faster.
        {"Wedge rising", box<Wedge>(), {100, 80, 105, 90}, -1.0},
        {"Wedge falling", box<Wedge>(), {100, 80, 90, 78}, 1.0},
        {"Wedge parallel", box<Wedge>(), {100, 80, 110, 90}, 0.0},
        {"Triangle ascending", box<Triangle>(), {120, 100, 121, 103.05}, 1.0},
        {"Triangle lows exactly 1.03 apart", box<Triangle>(), {120, 100, 121, 1.03 * 100.0}, 0.0},
        {"Triangle descending", box<Triangle>(), {120, 100, 110, 101}, -1.0},
        {"Triangle symmetrical", box<Triangle>(), {130, 100, 115, 108}, 1.0},
        {"TripleTopBottom", box<TripleTopBottom>(), {100, 90, 100, 90, 100}, -1.0},
        {"TripleTopBottom third top 103.1", box<TripleTopBottom>(), {100, 90, 100, 90, 103.1}, 0.0},
        {"TripleTopBottom at zero", box<TripleTopBottom>(), {130, 0, 0, 0, 0, 0}, 1.0},
        {"TripleTopBottom bottoms", box<TripleTopBottom>(), {120, 90, 110, 91, 112, 92}, 1.0},
        // Retracements 20, drives 30 (ratio 1.5).
        {"ThreeDrives", box<ThreeDrives>(), {250, 200, 220, 190, 210, 180, 200, 170}, 1.0},
        {"ThreeDrives last ratio on its bound 1.75", box<ThreeDrives>(), {250, 200, 220, 190, 210, 180, 200, 165},
         1.0},
        {"ThreeDrives last ratio 1.8", box<ThreeDrives>(), {250, 200, 220, 190, 210, 180, 200, 164}, 0.0},
        {"ThreeDrives drives 30 and 40", box<ThreeDrives>(), {250, 200, 220, 190, 210, 180, 205, 165}, 0.0},
    });
}

// After the judged bar, a bar that confirms nothing answers 0.0; a refused candle
// answers nothing and does not step the tracker.
TEST(ChartPatterns, ValueOnlyOnConfirmingBarsAndRefusalsChangeNothing) {
    IndicatorBox clean = test::make(box<DoubleTopBottom>());
    IndicatorBox dirty = test::make(box<DoubleTopBottom>());
    const Ohlcv bad = test::ohlc(100, 90, 95, 100);  // high below the open
    for (const Ohlcv& b : test::zigzag({100, 90, 103})) {
        EXPECT_FALSE(test::feed(*dirty, bad));
        EXPECT_EQ(test::feed(*dirty, b), test::feed(*clean, b));
    }
    EXPECT_EQ(test::feed(*clean, test::flat(93)), 0.0);
    EXPECT_FALSE(test::feed(*clean, bad));
    EXPECT_TRUE(clean->outputs().empty());
    EXPECT_EQ(clean->warmup(), 4u);
    // Highs that rise on every bar only move the extreme: no pivot, no value.
    IndicatorBox rising = test::make(box<Wedge>());
    for (int i = 0; i < 40; ++i) EXPECT_FALSE(test::feed(*rising, test::ohlc(100 + i, 101 + i, 60 + i, 100 + i)));
}

TEST(ChartPatterns, RegistryBuildsEveryDetectorWithItsWarmup) {
    const std::vector<std::pair<const char*, std::uint64_t>> rows = {
        {"Gartley", 6},        {"Bat", 6},         {"Butterfly", 6},       {"Crab", 6},
        {"Shark", 6},          {"Cypher", 6},      {"HeadAndShoulders", 6}, {"Abcd", 5},
        {"RectangleRange", 5}, {"CupAndHandle", 5}, {"DoubleTopBottom", 4}, {"FlagPennant", 4},
        {"Wedge", 5},          {"Triangle", 5},    {"TripleTopBottom", 6}, {"ThreeDrives", 8},
    };
    for (const auto& [name, warmup] : rows) {
        auto built = build_indicator(name, std::vector<double>{7, 8});  // a list is ignored
        ASSERT_TRUE(built) << name;
        EXPECT_EQ((*built)->warmup(), warmup) << name;
        EXPECT_EQ(indicator_feed(name), kFeedCandles) << name;
    }
}
