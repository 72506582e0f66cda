#include "indicators/candlesticks/unique_three_river.hpp"

namespace torvex {

double UniqueThreeRiver::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    const Ohlcv& c3 = bar;
    const bool bullish = long_black(c1) && black(c2) && c2.open <= c1.open &&
                         c2.close >= c1.close && c2.low < c1.low && white(c3) && size(c3) <= 0.3 * range(c3) &&
                         c3.high <= c2.close;
    return bullish ? 1.0 : 0.0;
}

}  // namespace torvex
