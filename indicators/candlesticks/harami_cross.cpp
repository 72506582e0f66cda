#include "indicators/candlesticks/harami_cross.hpp"

namespace torvex {

double HaramiCross::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    const double pr = range(p);
    const bool prev_long = !(pr > 0.0) || size(p) > 0.1 * pr;
    const double r = range(bar);
    const bool doji = r > 0.0 && size(bar) <= 0.1 * r;
    const bool inside = bar.close >= bottom(p) && bar.open >= bottom(p) && top(p) >= bar.open && top(p) >= bar.close;
    if (!(prev_long && doji && inside)) return 0.0;
    return p.open > p.close ? 1.0 : -1.0;
}

}  // namespace torvex
