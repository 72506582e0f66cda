// Candlestick detectors through the registry: hand-made candles for each form, the
// strict or inclusive edge of a comparison per detector, warm-up, flat candles and
// refused candles that must leave the history as it was.
#include <cmath>
#include <string>
#include <vector>

#include "tests/cpp/candlesticks/whole_bar_cases.hpp"

namespace torvex::test {
namespace {

// Five candles of range 10 for the detectors that compare with the mean range.
std::vector<Ohlcv> after_ranges(const Ohlcv& current) {
    std::vector<Ohlcv> bars(5, B(100, 110, 100, 105));
    bars.push_back(current);
    return bars;
}

struct PatternCase {
    const char* label;
    const char* name;
    std::vector<Ohlcv> bars;  // the last one is judged
    double want;
};

void run_cases(const std::vector<PatternCase>& cases) {
    for (const PatternCase& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox ind = make(c.name);
        ASSERT_TRUE(ind);
        std::optional<double> last;
        for (const Ohlcv& b : c.bars) {
            ASSERT_TRUE(validate_candle(b).has_value()) << "a hand-made candle breaks the candle rule";
            last = feed(*ind, b);
        }
        ASSERT_TRUE(last.has_value());
        EXPECT_EQ(*last, c.want);
    }
}

TEST(CandlestickOneBar, FormsAndEdges) {
    run_cases({
        {"doji at a tenth of the range", "Doji", {B(104, 110, 100, 105)}, 1.0},
        {"doji body too long", "Doji", {B(104, 110, 100, 105.5)}, 0.0},
        {"long-legged, upper shadow exactly 0.3", "LongLeggedDoji", {B(106, 110, 100, 107)}, 1.0},
        {"long-legged, short upper shadow", "LongLeggedDoji", {B(106.5, 110, 100, 107.5)}, 0.0},
        {"rickshaw centred", "RickshawMan", {B(104, 110, 100, 105)}, 1.0},
        {"rickshaw midpoint exactly 0.6", "RickshawMan", {B(105.5, 110, 100, 106.5)}, 1.0},
        {"rickshaw midpoint beyond 0.6", "RickshawMan", {B(105.6, 110, 100, 106.6)}, 0.0},
        {"gravestone", "GravestoneDoji", {B(100.5, 110, 100, 100)}, -1.0},
        {"gravestone lower shadow exactly 0.1", "GravestoneDoji", {B(101, 110, 100, 101)}, -1.0},
        {"gravestone lower shadow too long", "GravestoneDoji", {B(101.5, 110, 100, 101.5)}, 0.0},
        {"dragonfly upper shadow exactly 0.1", "DragonflyDoji", {B(109, 110, 100, 109)}, 1.0},
        {"dragonfly upper shadow too long", "DragonflyDoji", {B(108.5, 110, 100, 108.5)}, 0.0},
        {"high wave with a body of 0.2", "HighWave", {B(104, 110, 100, 106)}, 1.0},
        {"high wave short upper shadow", "HighWave", {B(104, 110, 100, 106.5)}, 0.0},
        {"hammer, lower shadow exactly twice", "Hammer", {B(104, 108, 100, 106)}, 1.0},
        {"hammer, upper shadow above the body", "Hammer", {B(104.5, 108, 100, 106)}, 0.0},
        {"hammer without body", "Hammer", {B(108, 110, 100, 108)}, 0.0},
        {"hanging man", "HangingMan", {B(104, 108, 100, 106)}, -1.0},
        {"hanging man without body", "HangingMan", {B(108, 110, 100, 108)}, 0.0},
        {"inverted hammer", "InvertedHammer", {B(102, 110, 100, 104)}, 1.0},
        {"inverted hammer without body", "InvertedHammer", {B(102, 110, 100, 102)}, 0.0},
        {"inverted hammer, lower shadow above the body", "InvertedHammer", {B(102, 105, 100, 103.5)}, 0.0},
        {"marubozu white", "Marubozu", {B(100, 110, 100, 110)}, 1.0},
        {"marubozu black", "Marubozu", {B(110, 110, 100, 100)}, -1.0},
        {"marubozu shadows exactly 0.05", "Marubozu", {B(100.5, 110, 100, 109.5)}, 1.0},
        {"marubozu lower shadow too long", "Marubozu", {B(100.6, 110, 100, 109.5)}, 0.0},
        {"opening marubozu white", "OpeningMarubozu", {B(100.5, 110, 100, 108)}, 1.0},
        {"opening marubozu black", "OpeningMarubozu", {B(109.5, 110, 100, 102)}, -1.0},
        {"opening marubozu body exactly 0.7", "OpeningMarubozu", {B(100, 110, 100, 107)}, 1.0},
        {"opening marubozu shadow at the open", "OpeningMarubozu", {B(101, 110, 100, 109)}, 0.0},
        {"closing marubozu white", "ClosingMarubozu", {B(102, 110, 100, 109.5)}, 1.0},
        {"closing marubozu black", "ClosingMarubozu", {B(108, 110, 100, 100.5)}, -1.0},
        {"closing marubozu shadow at the close", "ClosingMarubozu", {B(102, 110, 100, 109)}, 0.0},
        {"belt hold white, body exactly half", "BeltHold", {B(100.5, 110, 100, 105.5)}, 1.0},
        {"belt hold black", "BeltHold", {B(109.5, 110, 100, 104.5)}, -1.0},
        {"belt hold shadow at the open", "BeltHold", {B(101, 110, 100, 108)}, 0.0},
        {"takuri of the edge list", "Takuri", {B(10, 10, 9, 10)}, 1.0},
        {"takuri upper shadow exactly 0.05", "Takuri", {B(109, 110, 100, 109.5)}, 1.0},
        {"takuri upper shadow too long", "Takuri", {B(108.5, 110, 100, 109)}, 0.0},
        {"shooting star", "ShootingStar", {B(101, 110, 100, 102)}, -1.0},
        {"shooting star without body", "ShootingStar", {B(101, 110, 100, 101)}, 0.0},
        {"shooting star, lower shadow above the body", "ShootingStar", {B(101.5, 110, 100, 102.5)}, 0.0},
        {"shooting star, upper shadow exactly twice", "ShootingStar", {B(101, 104, 100, 102)}, -1.0},
        {"spinning top white", "SpinningTop", {B(104, 110, 100, 105)}, 1.0},
        {"spinning top black", "SpinningTop", {B(105, 110, 100, 104)}, -1.0},
        {"spinning top shadows exactly twice", "SpinningTop", {B(102, 105, 100, 103)}, 1.0},
        {"spinning top body too long", "SpinningTop", {B(102, 110, 100, 106)}, 0.0},
    });
}

TEST(CandlestickRangeWindow, FormsAndEdges) {
    run_cases({
        {"short line white", "ShortLine", after_ranges(B(100, 104, 100, 103)), 1.0},
        {"short line black", "ShortLine", after_ranges(B(103, 104, 100, 101)), -1.0},
        {"short line body under half", "ShortLine", after_ranges(B(100, 104, 100, 101.5)), 0.0},
        {"short line flat candle", "ShortLine", after_ranges(B(5, 5, 5, 5)), -1.0},
        {"short line range equal to the mean", "ShortLine", after_ranges(B(100, 110, 100, 108)), 0.0},
        {"long line white", "LongLine", after_ranges(B(100, 120, 100, 115)), 1.0},
        {"long line black", "LongLine", after_ranges(B(115, 120, 100, 100)), -1.0},
        {"long line range equal to the mean", "LongLine", after_ranges(B(100, 110, 100, 108)), 0.0},
        {"long line body exactly half", "LongLine", after_ranges(B(100, 120, 100, 110)), 1.0},
        {"long line body under half", "LongLine", after_ranges(B(100, 120, 100, 109.9)), 0.0},
        {"long line flat candle", "LongLine", after_ranges(B(5, 5, 5, 5)), 0.0},
    });
}

TEST(CandlestickTwoBar, FormsAndEdges) {
    const Ohlcv black_long = B(110, 110, 100, 100);
    const Ohlcv white_long = B(100, 110, 100, 110);
    run_cases({
        {"engulfing bullish, open at the previous close", "Engulfing", {B(104, 105, 101, 102), B(102, 106, 100, 104.5)}, 1.0},
        {"engulfing bearish", "Engulfing", {B(102, 105, 101, 104), B(104, 106, 100, 101.5)}, -1.0},
        {"engulfing after a bodiless candle", "Engulfing", {B(103, 105, 101, 103), B(102, 106, 100, 104.5)}, 0.0},
        {"engulfing equal bodies", "Engulfing", {B(104, 105, 101, 102), B(102, 106, 100, 104)}, 0.0},
        {"harami bullish", "Harami", {B(106, 107, 99, 100), B(101, 105, 100, 104)}, 1.0},
        {"harami bearish", "Harami", {B(100, 107, 99, 106), B(104, 105, 100, 101)}, -1.0},
        {"harami open at the previous close", "Harami", {B(106, 107, 99, 100), B(100, 105, 100, 104)}, 1.0},
        {"harami equal bodies", "Harami", {B(106, 107, 99, 100), B(100, 106, 100, 106)}, 0.0},
        {"harami cross after black", "HaramiCross", {B(106, 107, 99, 100), B(102, 104, 101, 102.2)}, 1.0},
        {"harami cross after white", "HaramiCross", {B(100, 107, 99, 106), B(102, 104, 101, 102.2)}, -1.0},
        {"harami cross after a flat candle", "HaramiCross", {B(103, 103, 103, 103), B(103, 104, 102, 103)}, -1.0},
        {"harami cross above the body", "HaramiCross", {B(106, 107, 99, 100), B(106, 107, 105, 106.1)}, 0.0},
        {"harami cross flat current", "HaramiCross", {B(106, 107, 99, 100), B(103, 103, 103, 103)}, 0.0},
        {"harami cross doji body exactly 0.1", "HaramiCross", {B(106, 107, 99, 100), B(102, 106, 101, 102.5)}, 1.0},
        {"doji star bullish", "DojiStar", {B(110, 111, 100, 101), B(98, 99, 96, 98.1)}, 1.0},
        {"doji star bearish", "DojiStar", {B(101, 111, 100, 110), B(112, 114, 111, 112.1)}, -1.0},
        {"doji star first body exactly half", "DojiStar", {B(105, 110, 100, 100), B(98, 99, 96, 98.1)}, 1.0},
        {"doji star first body under half", "DojiStar", {B(104.9, 110, 100, 100), B(98, 99, 96, 98.1)}, 0.0},
        {"piercing line", "PiercingDarkCloud", {B(110, 111, 99, 100), B(98, 106, 97, 105.5)}, 1.0},
        {"dark cloud cover", "PiercingDarkCloud", {B(100, 111, 99, 110), B(112, 113, 103, 104.5)}, -1.0},
        {"piercing close at the midpoint", "PiercingDarkCloud", {B(110, 111, 99, 100), B(98, 106, 97, 105)}, 0.0},
        {"kicking up", "Kicking", {black_long, B(111, 121, 111, 121)}, 1.0},
        {"kicking down", "Kicking", {white_long, B(99, 99, 89, 89)}, -1.0},
        {"kicking without a gap", "Kicking", {black_long, B(110, 120, 110, 120)}, 0.0},
        {"kick by length, longer white", "KickingByLength", {black_long, B(111, 123, 111, 123)}, 1.0},
        {"kick by length, shorter white", "KickingByLength", {black_long, B(111, 119, 111, 119)}, -1.0},
        {"kick by length, equal up", "KickingByLength", {black_long, B(111, 121, 111, 121)}, -1.0},
        {"kick by length, equal down", "KickingByLength", {white_long, B(99, 99, 89, 89)}, 1.0},
        {"kick by length, longer black", "KickingByLength", {white_long, B(99, 99, 87, 87)}, -1.0},
        {"counterattack bullish", "Counterattack", {black_long, B(95, 102, 95, 100.2)}, 1.0},
        {"counterattack bearish", "Counterattack", {white_long, B(115, 115, 108, 110.2)}, -1.0},
        {"counterattack same colours", "Counterattack", {black_long, B(105, 106, 99, 100)}, 0.0},
        {"counterattack closes at the tolerance", "Counterattack", {black_long, B(95, 100.5, 90.5, 100.5)}, 1.0},
        {"counterattack closes too far", "Counterattack", {black_long, B(95, 100.6, 90.6, 100.6)}, 0.0},
        {"matching low at the tolerance", "MatchingLow", {black_long, B(110.5, 110.5, 100.5, 100.5)}, 1.0},
        {"matching low too far", "MatchingLow", {black_long, B(105, 105, 100, 100.5)}, 0.0},
        {"homing pigeon, open at the previous open", "HomingPigeon", {B(110, 111, 99, 100), B(110, 111, 101, 101)}, 1.0},
        {"homing pigeon equal bodies", "HomingPigeon", {black_long, B(110, 110, 100, 100)}, 0.0},
        {"separating lines bullish", "SeparatingLines", {B(110, 111, 99, 100), B(110, 120, 110, 118)}, 1.0},
        {"separating lines bearish", "SeparatingLines", {B(100, 111, 99, 110), B(100, 100, 90, 92)}, -1.0},
        {"separating lines open at the tolerance", "SeparatingLines", {black_long, B(110.5, 120, 110.5, 118)}, 1.0},
        {"separating lines open too far", "SeparatingLines", {black_long, B(110.6, 120, 110.6, 118)}, 0.0},
        {"on neck", "OnNeck", {B(110, 111, 100, 101), B(98, 100.2, 97, 100.2)}, -1.0},
        {"on neck closing too high", "OnNeck", {B(110, 111, 100, 101), B(98, 101, 97, 101)}, 0.0},
        {"on neck at the tolerance", "OnNeck", {black_long, B(98, 100.5, 97, 100.5)}, -1.0},
        {"in neck", "InNeck", {B(110, 111, 100, 101), B(98, 102, 97, 101.5)}, -1.0},
        {"in neck close at the previous close", "InNeck", {B(110, 111, 100, 101), B(98, 101, 97, 101)}, -1.0},
        {"in neck closing too high", "InNeck", {B(110, 111, 100, 101), B(98, 102, 97, 102)}, 0.0},
        {"tweezer bottom", "Tweezer", {B(100, 110, 95, 105), B(104, 108, 95.05, 106)}, 1.0},
        {"tweezer top", "Tweezer", {B(100, 110, 95, 105), B(104, 110.05, 98, 106)}, -1.0},
        {"tweezer neither", "Tweezer", {B(100, 110, 95, 105), B(104, 112, 98, 106)}, 0.0},
        {"tweezer lows at zero", "Tweezer", {B(1, 2, 0, 1), B(1, 3, 0, 2)}, 1.0},
        {"tweezer lows at the tolerance", "Tweezer", {B(1005, 1010, 1000, 1005), B(1004, 1008, 999, 1006)}, 1.0},
        {"tweezer lows too far", "Tweezer", {B(1005, 1010, 1000, 1005), B(1004, 1008, 998.9, 1006)}, 0.0},
        {"thrusting", "Thrusting", {B(110, 111, 100, 101), B(99, 106, 98, 104)}, -1.0},
        {"thrusting close at the midpoint", "Thrusting", {B(110, 111, 100, 101), B(99, 106, 98, 105.5)}, 0.0},
        {"thrusting after a flat candle", "Thrusting", {B(101, 101, 101, 101), B(99, 106, 98, 100)}, 0.0},
    });
}

TEST(CandlestickThreeBar, FormsAndEdges) {
    run_cases({
        {"morning star", "MorningEveningStar", {B(110, 111, 99, 100), B(98, 99, 96, 97), B(99, 108, 98, 107)}, 1.0},
        {"evening star", "MorningEveningStar", {B(100, 111, 99, 110), B(112, 114, 111, 113), B(111, 112, 102, 103)}, -1.0},
        {"star with a bodiless third", "MorningEveningStar", {B(110, 111, 99, 100), B(98, 99, 96, 97), B(107, 108, 98, 107)}, 0.0},
        {"star body exactly half the first", "MorningEveningStar", {B(110, 111, 99, 100), B(98, 99, 92, 93), B(99, 112, 98, 111)}, 1.0},
        {"star body above half the first", "MorningEveningStar", {B(110, 111, 99, 100), B(98.5, 99, 92, 93), B(99, 112, 98, 111)}, 0.0},
        {"morning doji star", "MorningDojiStar", {B(110, 111, 99, 100), B(97, 98, 96, 97.1), B(99, 108, 98, 107)}, 1.0},
        {"morning doji star close at the penetration", "MorningDojiStar", {B(110, 111, 99, 100), B(97, 98, 96, 97.1), B(99, 104, 98, 103)}, 0.0},
        {"evening doji star", "EveningDojiStar", {B(100, 111, 99, 110), B(113, 114, 112, 113.1), B(111, 112, 102, 103)}, -1.0},
        {"evening doji star close at the penetration", "EveningDojiStar", {B(100, 111, 99, 110), B(113, 114, 112, 113.1), B(111, 112, 106, 107)}, 0.0},
        {"abandoned baby bullish", "AbandonedBaby", {B(110, 111, 101, 102), B(99, 100, 98, 99), B(101, 106, 100.5, 105)}, 1.0},
        {"abandoned baby bearish", "AbandonedBaby", {B(100, 109, 99, 108), B(111, 112, 110, 111), B(109, 109.5, 104, 105)}, -1.0},
        {"abandoned baby without a gap", "AbandonedBaby", {B(110, 111, 101, 102), B(101, 102, 100, 101), B(101, 106, 100.5, 105)}, 0.0},
        {"abandoned baby doji at the tolerance", "AbandonedBaby", {B(1010, 1011, 1002, 1003), B(1000, 1000.5, 998.5, 999), B(1002, 1006, 1001, 1005)}, 1.0},
        {"abandoned baby body too long", "AbandonedBaby", {B(1010, 1011, 1002, 1003), B(1000, 1000.5, 998.5, 998.9), B(1002, 1006, 1001, 1005)}, 0.0},
        {"identical crows", "IdenticalThreeCrows", {B(110, 110, 100, 100), B(100, 100, 90, 90), B(90, 90, 80, 80)}, -1.0},
        {"identical crows open at the tolerance", "IdenticalThreeCrows", {B(1100, 1100, 1000, 1000), B(999, 999, 900, 900), B(900, 900, 800, 800)}, -1.0},
        {"identical crows open too far", "IdenticalThreeCrows", {B(1100, 1100, 1000, 1000), B(998.9, 999, 900, 900), B(900, 900, 800, 800)}, 0.0},
        {"advance block", "AdvanceBlock", {B(100, 111, 99, 110), B(105, 114, 104, 112), B(108, 116, 107, 113)}, -1.0},
        {"advance block without an upper shadow", "AdvanceBlock", {B(100, 111, 99, 110), B(105, 114, 104, 112), B(108, 113, 107, 113)}, 0.0},
        {"side-by-side white up", "GapSideBySideWhite", {B(100, 106, 99, 105), B(107, 112, 107, 111), B(107.5, 112, 107, 111)}, 1.0},
        {"side-by-side white down", "GapSideBySideWhite", {B(120, 121, 114, 115), B(107, 112, 107, 111), B(107.5, 112, 107, 111)}, -1.0},
        {"side-by-side opens apart", "GapSideBySideWhite", {B(100, 106, 99, 105), B(107, 112, 107, 111), B(107.6, 112, 107, 111)}, 0.0},
        {"downside gap three methods", "DownsideGapThreeMethods", {B(110, 111, 99, 100), B(98, 99, 90, 91), B(95, 106, 94, 105)}, -1.0},
        {"downside gap open at the middle close", "DownsideGapThreeMethods", {B(110, 111, 99, 100), B(98, 99, 90, 91), B(91, 106, 90, 105)}, 0.0},
        {"hikkake bullish", "Hikkake", {B(100, 110, 90, 105), B(101, 108, 92, 103), B(100, 107, 91, 95)}, 1.0},
        {"hikkake bearish", "Hikkake", {B(100, 110, 90, 105), B(101, 108, 92, 103), B(104, 109, 93, 108)}, -1.0},
        {"hikkake high equal to the inside high", "Hikkake", {B(100, 110, 90, 105), B(101, 108, 92, 103), B(100, 108, 91, 95)}, 0.0},
        {"hikkake engulfing bar", "Hikkake", {B(100, 110, 90, 105), B(101, 108, 92, 103), B(100, 109, 91, 95)}, 0.0},
        {"upside gap two crows", "UpsideGapTwoCrows", {B(100, 111, 99, 110), B(114, 115, 111, 112), B(115, 116, 110, 111)}, -1.0},
        {"upside gap two crows C3 = C2", "UpsideGapTwoCrows", {B(100, 111, 99, 110), B(114, 115, 111, 112), B(115, 116, 110, 112)}, 0.0},
        {"upside gap three methods", "UpsideGapThreeMethods", {B(100, 111, 99, 110), B(112, 118, 111, 117), B(113, 114, 104, 105)}, 1.0},
        {"upside gap three methods open at O2", "UpsideGapThreeMethods", {B(100, 111, 99, 110), B(112, 118, 111, 117), B(112, 114, 104, 105)}, 0.0},
        {"unique three river, H3 = C2", "UniqueThreeRiver", {B(110, 111, 99, 100), B(108, 109, 97, 101), B(99, 101, 98, 99.5)}, 1.0},
        {"unique three river high above C2", "UniqueThreeRiver", {B(110, 111, 99, 100), B(108, 109, 97, 101), B(99, 101.5, 98, 99.5)}, 0.0},
        {"two crows", "TwoCrows", {B(100, 111, 99, 110), B(114, 115, 111, 112), B(113, 114, 104, 105)}, -1.0},
        {"two crows open at C2", "TwoCrows", {B(100, 111, 99, 110), B(114, 115, 111, 112), B(112, 114, 104, 105)}, 0.0},
        {"tristar bullish", "Tristar", {B(105, 106, 104, 105.1), B(102, 103, 101, 102), B(103, 104, 102, 103.05)}, 1.0},
        {"tristar bearish", "Tristar", {B(105, 106, 104, 105.1), B(108, 109, 107, 108), B(106, 107, 105, 106)}, -1.0},
        {"tristar third not a doji", "Tristar", {B(105, 106, 104, 105.1), B(108, 109, 107, 108), B(106, 107, 105, 107)}, 0.0},
        {"tristar bodies exactly 0.1", "Tristar", {B(105, 110, 100, 106), B(95, 100, 90, 96), B(97, 102, 92, 98)}, 1.0},
        {"tristar first body too long", "Tristar", {B(105, 110, 100, 106.5), B(95, 100, 90, 96), B(97, 102, 92, 98)}, 0.0},
        {"tower bottom", "TowerTopBottom", {B(110, 111, 99, 100), B(100, 101, 99, 100.2), B(100, 111, 99, 110)}, 1.0},
        {"tower top, flat middle", "TowerTopBottom", {B(100, 111, 99, 110), B(110, 110, 110, 110), B(110, 111, 99, 100)}, -1.0},
        {"tower, first body exactly half", "TowerTopBottom", {B(105, 110, 100, 100), B(100, 101, 99, 100.2), B(100, 111, 99, 110)}, 1.0},
        {"three stars in the south", "ThreeStarsInSouth", {B(110, 111, 90, 104), B(107, 108, 95, 105), B(100, 100, 99, 99)}, 1.0},
        {"three stars, third with a shadow", "ThreeStarsInSouth", {B(110, 111, 90, 104), B(107, 108, 95, 105), B(100, 100.2, 99, 99)}, 0.0},
        {"three stars, shadow exactly at the tolerance", "ThreeStarsInSouth", {B(1100, 1110, 900, 1040), B(1070, 1080, 950, 1050), B(999, 1000, 990, 990)}, 1.0},
        {"three stars, shadow beyond the tolerance", "ThreeStarsInSouth", {B(1100, 1110, 900, 1040), B(1070, 1080, 950, 1050), B(998.9, 1000, 990, 990)}, 0.0},
        {"soldiers, opens at the bounds", "ThreeSoldiersOrCrows", {B(100, 106, 99, 105), B(100, 111, 99, 110), B(110, 116, 109, 115)}, 1.0},
        {"crows", "ThreeSoldiersOrCrows", {B(115, 116, 109, 110), B(110, 111, 104, 105), B(105, 106, 99, 100)}, -1.0},
        {"soldiers second opens below", "ThreeSoldiersOrCrows", {B(100, 106, 99, 105), B(99.9, 111, 99, 110), B(110, 116, 109, 115)}, 0.0},
        {"three outside up", "ThreeOutside", {B(104, 105, 101, 102), B(101, 107, 100, 106), B(106, 109, 105, 108)}, 1.0},
        {"three outside down", "ThreeOutside", {B(102, 105, 101, 104), B(105, 106, 99, 100), B(100, 101, 97, 98)}, -1.0},
        {"three outside equal sizes", "ThreeOutside", {B(104, 105, 101, 102), B(102, 105, 100, 104), B(106, 109, 105, 108)}, 0.0},
        {"three inside up", "ThreeInside", {B(110, 111, 99, 100), B(102, 106, 101, 105), B(105, 112, 104, 111)}, 1.0},
        {"three inside down", "ThreeInside", {B(100, 111, 99, 110), B(108, 109, 104, 105), B(105, 106, 98, 99)}, -1.0},
        {"three inside close at O1", "ThreeInside", {B(110, 111, 99, 100), B(102, 106, 101, 105), B(105, 112, 104, 110)}, 0.0},
        {"tasuki up", "TasukiGap", {B(100, 111, 99, 110), B(112, 118, 111, 117), B(114, 115, 110, 111)}, 1.0},
        {"tasuki down", "TasukiGap", {B(110, 111, 99, 100), B(98, 99, 92, 93), B(95, 100, 94, 99)}, -1.0},
        {"tasuki close at O2", "TasukiGap", {B(100, 111, 99, 110), B(112, 118, 111, 117), B(114, 115, 110, 112)}, 0.0},
        {"stick sandwich at the tolerance", "StickSandwich", {B(110, 110, 100, 100), B(101, 106, 100.5, 105), B(106, 107, 100, 101)}, 1.0},
        {"stick sandwich closes too far", "StickSandwich", {B(110, 110, 100, 100), B(101, 106, 100.5, 105), B(106, 107, 100, 101.5)}, 0.0},
        {"stalled pattern", "StalledPattern", {B(100, 111, 99, 110), B(108, 121, 107, 120), B(120, 124, 119, 121)}, -1.0},
        {"stalled, open exactly at the limit", "StalledPattern", {B(100, 111, 99, 110), B(108, 118, 108, 117), B(116, 122, 115, 118)}, -1.0},
        {"stalled, open below the limit", "StalledPattern", {B(100, 111, 99, 110), B(108, 118, 108, 117), B(115.9, 122, 115, 118)}, 0.0},
    });
}

TEST(CandlestickFourAndFiveBar, FormsAndEdges) {
    const std::vector<Ohlcv> rising = {B(10, 21, 9, 20), B(19, 19.5, 17.5, 18), B(18.5, 19, 16.5, 17),
                                       B(17.5, 18, 15.5, 16), B(17, 23, 16.5, 22)};
    std::vector<Ohlcv> rising_flat = rising;
    rising_flat[2].close = 18;
    std::vector<Ohlcv> rising_above = rising;
    rising_above[1] = B(22.5, 23, 21.5, 21.8);
    const std::vector<Ohlcv> mat = {B(10, 21, 9, 20), B(20.5, 21.5, 19, 21), B(21, 21.5, 18, 20.5),
                                    B(20.5, 21, 17, 20), B(20, 23, 19.5, 22.5)};
    std::vector<Ohlcv> mat_low = mat;
    mat_low[3].low = 15;
    run_cases({
        {"rising three methods of the edge list", "RisingThreeMethods", rising, 1.0},
        {"rising three, b3 close not lower", "RisingThreeMethods", rising_flat, 0.0},
        {"rising three, body above b1's high", "RisingThreeMethods", rising_above, 0.0},
        {"falling three methods", "FallingThreeMethods", {B(90, 91, 79, 80), B(81, 82.5, 80.5, 82), B(81.5, 83.5, 81, 83), B(82.5, 84.5, 82, 84), B(83, 83.5, 77, 78)}, -1.0},
        {"falling three, breakout closes at c1", "FallingThreeMethods", {B(90, 91, 79, 80), B(81, 82.5, 80.5, 82), B(81.5, 83.5, 81, 83), B(82.5, 84.5, 82, 84), B(83, 83.5, 77, 80)}, 0.0},
        {"mat hold", "MatHold", mat, 1.0},
        {"mat hold low at the penetration level", "MatHold", mat_low, 0.0},
        {"ladder bottom", "LadderBottom", {B(20, 21, 17, 18), B(19, 19.5, 16, 17), B(18, 18.5, 15, 16), B(16, 17, 14, 15), B(16.5, 18, 16, 17.5)}, 1.0},
        {"ladder bottom close at b4's high", "LadderBottom", {B(20, 21, 17, 18), B(19, 19.5, 16, 17), B(18, 18.5, 15, 16), B(16, 17, 14, 15), B(16.5, 18, 16, 17)}, 0.0},
        {"breakaway bullish", "Breakaway", {B(20, 21, 17, 18), B(17, 17.5, 14, 15), B(15, 16, 13, 14), B(14, 15, 12, 13), B(13, 17.8, 12.5, 17.5)}, 1.0},
        {"breakaway closing at c1", "Breakaway", {B(20, 21, 17, 18), B(17, 17.5, 14, 15), B(15, 16, 13, 14), B(14, 15, 12, 13), B(13, 18, 12.5, 18)}, 0.0},
        {"breakaway bearish", "Breakaway", {B(18, 21, 17, 20), B(21, 24, 20.5, 23), B(23, 25, 21, 24), B(24, 26, 22, 25), B(25, 25.5, 20, 20.5)}, -1.0},
        {"concealing baby swallow", "ConcealingBabySwallow", {B(20, 20, 18, 18), B(18, 18, 16, 16), B(15, 16.5, 14, 14.5), B(17, 17, 13, 13.5)}, 1.0},
        {"concealing baby swallow, flat first", "ConcealingBabySwallow", {B(18, 18, 18, 18), B(18, 18, 16, 16), B(15, 16.5, 14, 14.5), B(17, 17, 13, 13.5)}, 0.0},
        {"concealing baby swallow, shadows exactly 0.05", "ConcealingBabySwallow", {B(29.5, 30, 20, 20.5), B(20, 20, 16, 16), B(15, 16.5, 14, 14.5), B(17, 17, 13, 13.5)}, 1.0},
        {"concealing baby swallow, open at the high", "ConcealingBabySwallow", {B(20, 20, 18, 18), B(18, 18, 16, 16), B(15, 16.5, 14, 14.5), B(16.5, 17, 13, 13.5)}, 0.0},
        {"hikkake modified bullish", "HikkakeModified", {B(100, 110, 90, 105), B(95, 108, 92, 93), B(97, 106, 94, 100), B(96, 105, 93, 95)}, 1.0},
        {"hikkake modified bearish", "HikkakeModified", {B(100, 110, 90, 105), B(100, 108, 92, 107), B(97, 106, 94, 100), B(103, 107, 95, 106)}, -1.0},
        {"hikkake modified close exactly at the fifth", "HikkakeModified", {B(100, 110, 90, 105), B(99, 108, 98, 100), B(101, 106, 99, 103), B(100, 105, 98.5, 99)}, 1.0},
        {"hikkake modified close above the fifth", "HikkakeModified", {B(100, 110, 90, 105), B(99, 108, 98, 100.5), B(101, 106, 99, 103), B(100, 105, 98.5, 99)}, 0.0},
        {"three-line strike bullish", "ThreeLineStrike", {B(100, 106, 99, 105), B(102, 111, 101, 110), B(107, 116, 106, 115), B(116, 117, 98, 99)}, 1.0},
        {"three-line strike bearish", "ThreeLineStrike", {B(115, 116, 109, 110), B(112, 113, 104, 105), B(107, 108, 99, 100), B(99, 117, 98, 116)}, -1.0},
        {"three-line strike close at O1", "ThreeLineStrike", {B(100, 106, 99, 105), B(102, 111, 101, 110), B(107, 116, 106, 115), B(116, 117, 98, 100)}, 0.0},
    });
}

const char* const kAllNames[] = {
    "AbandonedBaby", "AdvanceBlock", "BeltHold", "Breakaway", "ClosingMarubozu", "ConcealingBabySwallow",
    "Counterattack", "Doji", "DojiStar", "DownsideGapThreeMethods", "DragonflyDoji", "Engulfing",
    "EveningDojiStar", "FallingThreeMethods", "GapSideBySideWhite", "GravestoneDoji", "Hammer", "HangingMan",
    "Harami", "HaramiCross", "HighWave", "Hikkake", "HikkakeModified", "HomingPigeon", "IdenticalThreeCrows",
    "InNeck", "InvertedHammer", "Kicking", "KickingByLength", "LadderBottom", "LongLeggedDoji", "LongLine",
    "Marubozu", "MatHold", "MatchingLow", "MorningDojiStar", "MorningEveningStar", "OnNeck", "OpeningMarubozu",
    "PiercingDarkCloud", "RickshawMan", "RisingThreeMethods", "SeparatingLines", "ShootingStar", "ShortLine",
    "SpinningTop", "StalledPattern", "StickSandwich", "Takuri", "TasukiGap", "ThreeInside", "ThreeLineStrike",
    "ThreeOutside", "ThreeSoldiersOrCrows", "ThreeStarsInSouth", "Thrusting", "TowerTopBottom", "Tristar",
    "Tweezer", "TwoCrows", "UniqueThreeRiver", "UpsideGapThreeMethods", "UpsideGapTwoCrows",
};

struct Warmup {
    const char* name;
    std::uint64_t warmup;
};

TEST(CandlestickContract, WarmupAnswersAndRefusedCandles) {
    const Warmup declared[] = {
        {"Doji", 1}, {"Takuri", 1}, {"Tweezer", 2}, {"Engulfing", 2}, {"Tristar", 3}, {"Hikkake", 3},
        {"ThreeLineStrike", 4}, {"HikkakeModified", 4}, {"ConcealingBabySwallow", 4}, {"MatHold", 5},
        {"Breakaway", 5}, {"ShortLine", 5}, {"LongLine", 5},
    };
    for (const Warmup& w : declared) EXPECT_EQ(make(w.name)->warmup(), w.warmup) << w.name;

    const std::vector<Ohlcv> bars = wandering_bars(400);
    const std::vector<Ohlcv> refused = refused_bars();
    for (const char* name : kAllNames) {
        SCOPED_TRACE(name);
        IndicatorBox clean = make(name);
        IndicatorBox dirty = make(name);
        ASSERT_TRUE(clean && dirty);
        // The range-window detectors fill five bars before their first answer.
        const std::uint64_t first_bar = clean->warmup() + (std::string(name).ends_with("Line") ? 1 : 0);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (i % 7 == 1) {
                EXPECT_FALSE(feed(*dirty, refused[i % refused.size()]).has_value()) << "bar " << i;
            }
            const auto want = feed(*clean, bars[i]);
            EXPECT_EQ(feed(*dirty, bars[i]), want) << "bar " << i;
            EXPECT_EQ(want.has_value(), i + 1 >= first_bar) << "bar " << i;
            if (want) {
                EXPECT_TRUE(*want == 1.0 || *want == -1.0 || *want == 0.0) << *want;
                EXPECT_FALSE(*want == 0.0 && std::signbit(*want)) << "bar " << i << " answers -0.0";
            }
        }
    }
}

TEST(CandlestickContract, FlatCandlesAreNoPattern) {
    for (const char* name : kAllNames) {
        IndicatorBox ind = make(name);
        ASSERT_TRUE(ind);
        std::optional<double> last;
        for (int i = 0; i < 6; ++i) last = feed(*ind, B(10, 10, 10, 10));
        ASSERT_TRUE(last.has_value()) << name;
        // Equal lows within the tolerance are a tweezer bottom whatever the shapes.
        EXPECT_EQ(*last, std::string(name) == "Tweezer" ? 1.0 : 0.0) << name;
    }
}

TEST(CandlestickContract, RefusedCandleKeepsTheNeighbours) {
    // Engulfing judged across a refused bar: the two accepted candles are neighbours.
    IndicatorBox ind = make("Engulfing");
    ASSERT_TRUE(ind);
    EXPECT_FALSE(feed(*ind, B(104, 105, 101, 102)).has_value());
    EXPECT_FALSE(feed(*ind, B(200, 100, 300, 200)).has_value());
    EXPECT_EQ(feed(*ind, B(102, 106, 100, 104.5)), 1.0);
}

}  // namespace
}  // namespace torvex::test
