#include "indicators/candlesticks/homing_pigeon.hpp"

namespace torvex {

double HomingPigeon::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    const bool bullish = black(p) && bar.close >= p.close && black(bar) && p.open >= bar.open &&
                         p.open - p.close > bar.open - bar.close;
    return bullish ? 1.0 : 0.0;
}

}  // namespace torvex
