#include "indicators/candlesticks/three_outside.hpp"

namespace torvex {

double ThreeOutside::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    const Ohlcv& c3 = bar;
    if (!(size(c2) > size(c1) && size(c1) > 0.0)) return 0.0;
    const bool bullish = black(c1) && white(c2) && c2.open <= c1.close && c2.close >= c1.open && white(c3) &&
                         c3.close > c2.close;
    const bool bearish = white(c1) && black(c2) && c2.open >= c1.close && c2.close <= c1.open && black(c3) &&
                         c3.close < c2.close;
    return signal(bullish, bearish);
}

}  // namespace torvex
