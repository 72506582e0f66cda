#include "indicators/candlesticks/in_neck.hpp"

namespace torvex {

double InNeck::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    const bool bearish = long_black(p) && bar.close >= p.close && white(bar) && p.low > bar.open &&
                         bar.close <= p.close + 0.1 * (p.open - p.close);
    return bearish ? -1.0 : 0.0;
}

}  // namespace torvex
