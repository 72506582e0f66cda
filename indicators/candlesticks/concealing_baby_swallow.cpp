#include "indicators/candlesticks/concealing_baby_swallow.hpp"

namespace torvex {

double ConcealingBabySwallow::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& b2 = kept[1];
    const Ohlcv& b3 = kept[2];
    const bool bullish = shaven_black(kept[0]) && shaven_black(b2) && black(b3) && b3.open < b2.close &&
                         b3.high > b2.close && black(bar) && bar.open > b3.high && bar.close < b3.low;
    return bullish ? 1.0 : 0.0;
}

bool ConcealingBabySwallow::shaven_black(const Ohlcv& k) {
    const double r = candle::range(k);
    return r > 0.0 && candle::black(k) && k.high - k.open <= 0.05 * r && k.close - k.low <= 0.05 * r;
}

}  // namespace torvex
