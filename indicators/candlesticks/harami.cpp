#include "indicators/candlesticks/harami.hpp"

namespace torvex {

double Harami::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    if (!(body(bar) != 0.0 && body(p) != 0.0 && size(bar) < size(p))) return 0.0;
    const bool bullish = p.open >= bar.close && bar.open >= p.close && white(bar) && black(p);
    const bool bearish = p.open <= bar.close && bar.open <= p.close && black(bar) && white(p);
    return signal(bullish, bearish);
}

}  // namespace torvex
