#include "indicators/candlesticks/hanging_man.hpp"
#include "indicators/candlesticks/hammer.hpp"

namespace torvex {

double HangingMan::judge(const Ohlcv& bar) {
    using namespace candle;
    return Hammer::shape(bar) ? -1.0 : 0.0;
}

}  // namespace torvex
