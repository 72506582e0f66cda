#include "indicators/candlesticks/abandoned_baby.hpp"

namespace torvex {

double AbandonedBaby::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p2 = kept[0];
    const Ohlcv& p = kept[1];
    if (!(size(p) <= kDojiTolerance * std::max(std::fabs(p.open), std::fabs(p.close)))) return 0.0;
    const bool bullish = black(p2) && p2.low > p.high && white(bar) && bar.low > p.high;
    const bool bearish = white(p2) && p.low > p2.high && bar.high < p.low && black(bar);
    return signal(bullish, bearish);
}

}  // namespace torvex
