#include "indicators/candlesticks/morning_doji_star.hpp"

namespace torvex {

double MorningDojiStar::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p2 = kept[0];
    const Ohlcv& p = kept[1];
    const bool bullish = long_black(p2) && range(p) > 0.0 && size(p) <= 0.1 * range(p) &&
                         bottom(bar) > top(p) && white(bar) && p2.close > top(p) &&
                         bar.close > p2.close + kPenetration * (p2.open - p2.close);
    return bullish ? 1.0 : 0.0;
}

}  // namespace torvex
