#include "indicators/candlesticks/kicking.hpp"

namespace torvex {

double Kicking::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    if (!long_pair(p, bar)) return 0.0;
    return signal(black(p) && white(bar) && bar.low > p.high, white(p) && black(bar) && bar.high < p.low);
}

bool Kicking::long_pair(const Ohlcv& p, const Ohlcv& bar) {
    using namespace candle;
    const double pr = range(p);
    const double r = range(bar);
    return pr > 0.0 && size(p) >= 0.95 * pr && r > 0.0 && size(bar) >= 0.95 * r;
}

}  // namespace torvex
