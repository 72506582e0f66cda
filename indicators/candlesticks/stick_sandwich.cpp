#include "indicators/candlesticks/stick_sandwich.hpp"

namespace torvex {

double StickSandwich::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    const Ohlcv& c3 = bar;
    const bool bullish = black(c1) && white(c2) && c2.low > c1.close && black(c3) &&
                         std::fabs(c3.close - c1.close) <= 0.1 * range(c1);
    return bullish ? 1.0 : 0.0;
}

}  // namespace torvex
