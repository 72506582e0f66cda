#include "indicators/candlesticks/thrusting.hpp"

namespace torvex {

double Thrusting::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = bar;
    if (!(long_black(c1) && white(c2) && c2.open < c1.low)) return 0.0;
    return c1.close + 0.1 * size(c1) < c2.close && c2.close < body_mid(c1) ? -1.0 : 0.0;
}

}  // namespace torvex
