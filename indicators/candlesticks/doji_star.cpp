#include "indicators/candlesticks/doji_star.hpp"

namespace torvex {

double DojiStar::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    const double r = range(bar);
    const double pr = range(p);
    if (!(r > 0.0 && pr > 0.0 && size(p) >= 0.5 * pr && size(bar) <= 0.1 * r)) return 0.0;
    return signal(p.close > top(bar) && body(p) < 0.0, p.close < bottom(bar) && body(p) > 0.0);
}

}  // namespace torvex
