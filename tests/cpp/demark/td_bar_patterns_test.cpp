// DeMark bar patterns: each form on hand-made bars and the edges of their comparisons.
#include "tests/cpp/candlesticks/whole_bar_cases.hpp"

namespace torvex::test {
namespace {

struct PatternCase {
    const char* label;
    const char* name;
    std::vector<Ohlcv> bars;  // the last one is judged
    double want;
};

TEST(DemarkBarPatterns, FormsAndEdges) {
    const Ohlcv prev = B(10, 12, 9, 11);
    const PatternCase cases[] = {
        {"trap up", "TdTrap", {B(10, 12, 8, 11), B(10, 11, 9, 10.5), B(10.5, 11.5, 10, 11.2)}, 1.0},
        {"trap down", "TdTrap", {B(10, 12, 8, 11), B(10, 11, 9, 10.5), B(10, 10.5, 8.5, 8.8)}, -1.0},
        {"trap, inside bar sharing the high", "TdTrap", {B(10, 12, 8, 11), B(10, 12, 9, 10.5), B(10.5, 13, 10, 12.5)}, 0.0},
        {"propulsion up, open at the close", "TdPropulsion", {prev, B(11, 13, 10.5, 12.5)}, 1.0},
        {"propulsion down", "TdPropulsion", {prev, B(11, 11, 8, 8.5)}, -1.0},
        {"propulsion close at the high", "TdPropulsion", {prev, B(11, 13, 10.5, 12)}, 0.0},
        {"open below the low, trading back", "TdOpen", {prev, B(8.5, 9.5, 8, 9.2)}, 1.0},
        {"open above the high, trading back", "TdOpen", {prev, B(12.5, 13, 11.5, 12)}, -1.0},
        {"open below, high at the low", "TdOpen", {prev, B(8.5, 9, 8, 8.8)}, 0.0},
        {"clopwin at the bounds, white", "TdClopwin", {prev, B(10, 11, 10, 11)}, 1.0},
        {"clopwin at the bounds, black", "TdClopwin", {prev, B(11, 11, 10, 10)}, -1.0},
        {"clopwin, bodiless inside", "TdClopwin", {prev, B(10.5, 11, 10, 10.5)}, 1.0},
        {"clopwin, close beyond the body", "TdClopwin", {prev, B(10.5, 11.5, 10, 11.2)}, 0.0},
        {"clop up", "TdClop", {prev, B(9.5, 12, 9, 11.5)}, 1.0},
        {"clop down", "TdClop", {prev, B(11.5, 12, 9, 9.5)}, -1.0},
        {"clop, open at the body bottom", "TdClop", {prev, B(10, 12, 9, 11.5)}, 0.0},
        {"camouflage up", "TdCamouflage", {prev, B(9.5, 11, 8.5, 10.5)}, 1.0},
        {"camouflage down", "TdCamouflage", {B(11, 12, 9, 10), B(11.5, 12.5, 10, 10.5)}, -1.0},
        {"camouflage, low equal", "TdCamouflage", {prev, B(9.5, 11, 9, 10.5)}, 0.0},
        {"differential up", "TdDifferential", {B(10, 10.5, 9.5, 10), B(10, 10, 8, 9), B(8.5, 8.7, 6, 8.5)}, 1.0},
        {"differential down", "TdDifferential", {B(10, 10.5, 9.5, 10), B(10, 12, 10, 11), B(11.5, 14, 11.3, 11.5)}, -1.0},
        {"differential, equal closes", "TdDifferential", {B(10, 10.5, 9.5, 10), B(10, 10, 8, 9), B(8.5, 9, 6, 9)}, 0.0},
    };
    for (const PatternCase& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox ind = make(c.name);
        ASSERT_TRUE(ind);
        for (const Ohlcv& b : c.bars) ASSERT_TRUE(validate_candle(b).has_value());
        const auto got = feed_all(*ind, c.bars);
        for (std::size_t i = 0; i + 1 < got.size(); ++i) EXPECT_FALSE(got[i].has_value());
        EXPECT_EQ(got.back(), c.want);
        EXPECT_EQ(ind->warmup(), c.bars.size());
    }
}

TEST(DemarkBarPatterns, RefusedCandlesChangeNothing) {
    for (const char* name : {"TdTrap", "TdPropulsion", "TdOpen", "TdDifferential", "TdClopwin", "TdClop", "TdCamouflage"}) {
        expect_refusals_change_nothing(name, {}, true);
    }
}

}  // namespace
}  // namespace torvex::test
