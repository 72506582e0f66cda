#include "indicators/candlesticks/tristar.hpp"

namespace torvex {

double Tristar::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    const Ohlcv& c3 = bar;
    if (!is_doji(c1) || !is_doji(c2) || !is_doji(c3)) return 0.0;
    const bool bullish = top(c2) < bottom(c1) && bottom(c3) > bottom(c2);
    const bool bearish = bottom(c2) > top(c1) && top(c3) < top(c2);
    return signal(bullish, bearish);
}

bool Tristar::is_doji(const Ohlcv& k) {
    const double r = candle::range(k);
    return r > 0.0 && candle::size(k) <= 0.1 * r;
}

}  // namespace torvex
