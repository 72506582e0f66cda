#include "indicators/candlesticks/rising_three_methods.hpp"

namespace torvex {

double RisingThreeMethods::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& b1 = kept[0];
    if (!long_white(b1)) return 0.0;
    const double body1 = b1.close - b1.open;
    for (std::size_t k = 1; k < 4; ++k) {
        const Ohlcv& b = kept[k];
        const bool small_black = b.open > b.close && b.open - b.close <= 0.5 * body1;
        if (!(small_black && top(b) > b1.low && bottom(b) < b1.high)) return 0.0;
    }
    if (!(kept[2].close < kept[1].close && kept[3].close < kept[2].close)) return 0.0;
    const bool breakout = bar.close > bar.open && bar.close - bar.open >= 0.5 * range(bar) &&
                          bar.open > kept[3].close && bar.close > b1.close;
    return breakout ? 1.0 : 0.0;
}

}  // namespace torvex
