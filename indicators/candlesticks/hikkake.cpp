#include "indicators/candlesticks/hikkake.hpp"

namespace torvex {

double Hikkake::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p2 = kept[0];
    const Ohlcv& p = kept[1];
    if (!(p2.high > p.high && p.low > p2.low)) return 0.0;
    return signal(p.high > bar.high && p.low > bar.low, p.high < bar.high && p.low < bar.low);
}

}  // namespace torvex
