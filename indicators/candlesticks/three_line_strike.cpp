#include "indicators/candlesticks/three_line_strike.hpp"
#include "indicators/candlesticks/three_soldiers_or_crows.hpp"

namespace torvex {

double ThreeLineStrike::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c3 = kept[2];
    const Ohlcv& c4 = bar;
    const bool bullish = ThreeSoldiersOrCrows::soldiers(c1, kept[1], c3) && black(c4) && c4.open > c3.close &&
                         c4.close < c1.open;
    const bool bearish = ThreeSoldiersOrCrows::crows(c1, kept[1], c3) && white(c4) && c4.open < c3.close &&
                         c4.close > c1.open;
    return signal(bullish, bearish);
}

}  // namespace torvex
