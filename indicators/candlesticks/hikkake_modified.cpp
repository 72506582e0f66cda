#include "indicators/candlesticks/hikkake_modified.hpp"

namespace torvex {

double HikkakeModified::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p3 = kept[0];
    const Ohlcv& p2 = kept[1];
    const Ohlcv& p = kept[2];
    if (!(p3.high > p2.high && p2.low > p3.low && p2.high > p.high && p.low > p2.low)) return 0.0;
    const double r2 = range(p2);
    const bool bullish = p2.close <= p2.low + 0.2 * r2 && p.high > bar.high && p.low > bar.low;
    const bool bearish = p.high < bar.high && p.low < bar.low && p2.close >= p2.high - 0.2 * r2;
    return signal(bullish, bearish);
}

}  // namespace torvex
