#include "indicators/candlesticks/tasuki_gap.hpp"

namespace torvex {

double TasukiGap::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    const Ohlcv& c3 = bar;
    if (white(c1)) {
        const bool bullish = white(c2) && c2.open > c1.close && black(c3) && c2.open < c3.open &&
                             c3.open < c2.close && c1.close < c3.close && c3.close < c2.open;
        return bullish ? 1.0 : 0.0;
    }
    const bool bearish = black(c1) && black(c2) && c2.open < c1.close && white(c3) && c2.close < c3.open &&
                         c3.open < c2.open && c2.open < c3.close && c3.close < c1.close;
    return bearish ? -1.0 : 0.0;
}

}  // namespace torvex
