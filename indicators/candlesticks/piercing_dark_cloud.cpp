#include "indicators/candlesticks/piercing_dark_cloud.hpp"

namespace torvex {

double PiercingDarkCloud::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    const double mid = body_mid(p);
    const bool bullish = p.low > bar.open && white(bar) && black(p) && p.open > bar.close && bar.close > mid;
    const bool bearish = bar.open > p.high && black(bar) && white(p) && p.open < bar.close && bar.close < mid;
    return signal(bullish, bearish);
}

}  // namespace torvex
