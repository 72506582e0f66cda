#include "indicators/candlesticks/engulfing.hpp"

namespace torvex {

double Engulfing::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    if (!(body(p) != 0.0 && size(p) < size(bar))) return 0.0;
    const bool bullish = bar.close >= p.open && p.close >= bar.open && white(bar) && black(p);
    const bool bearish = bar.close <= p.open && p.close <= bar.open && black(bar) && white(p);
    return signal(bullish, bearish);
}

}  // namespace torvex
