#include "indicators/candlesticks/ladder_bottom.hpp"

namespace torvex {

double LadderBottom::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& b1 = kept[0];
    const Ohlcv& b2 = kept[1];
    const Ohlcv& b3 = kept[2];
    const Ohlcv& b4 = kept[3];
    const bool ladder = black(b1) && black(b2) && black(b3) && b1.open > b2.open && b2.open > b3.open &&
                        b1.close > b2.close && b2.close > b3.close;
    const bool bullish = ladder && black(b4) && b4.high > b4.open && white(bar) && bar.open > b4.open &&
                         bar.close > b4.high;
    return bullish ? 1.0 : 0.0;
}

}  // namespace torvex
