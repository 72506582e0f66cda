#include "indicators/candlesticks/stalled_pattern.hpp"

namespace torvex {

double StalledPattern::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    const Ohlcv& c3 = bar;
    const bool bearish = long_white(c1) && long_white(c2) && range(c3) > 0.0 && white(c3) && c1.close < c2.close &&
                         c2.close < c3.close && size(c3) <= 0.3 * range(c3) && c3.open >= c2.close - 0.1 * range(c2);
    return bearish ? -1.0 : 0.0;
}

}  // namespace torvex
