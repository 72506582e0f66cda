#include "indicators/candlesticks/morning_evening_star.hpp"

namespace torvex {

double MorningEveningStar::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p2 = kept[0];
    const Ohlcv& p = kept[1];
    const double star = size(p) + size(p);
    if (!(body(bar) != 0.0 && body(p2) != 0.0 && star <= size(p2) && star <= size(bar))) return 0.0;
    const bool bullish = bar.close > p2.close + 0.3 * size(p2) && white(bar) && black(p2) && p2.close > top(p);
    const bool bearish = bar.close < p2.close - 0.3 * size(p2) && black(bar) && white(p2) && p2.close < bottom(p);
    return signal(bullish, bearish);
}

}  // namespace torvex
