#include "indicators/candlesticks/upside_gap_two_crows.hpp"

namespace torvex {

double UpsideGapTwoCrows::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    const Ohlcv& c3 = bar;
    const bool bearish = white(c1) && black(c2) && c2.close > c1.close && black(c3) && c3.open > c2.open &&
                         c1.close < c3.close && c3.close < c2.close;
    return bearish ? -1.0 : 0.0;
}

}  // namespace torvex
