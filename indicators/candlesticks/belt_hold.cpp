#include "indicators/candlesticks/belt_hold.hpp"

namespace torvex {

double BeltHold::judge(const Ohlcv& bar) {
    using namespace candle;
    const double r = range(bar);
    if (!(size(bar) >= 0.5 * r)) return 0.0;
    return signal(white(bar) && bar.open - bar.low <= kShadowRatio * r,
                  black(bar) && bar.high - bar.open <= kShadowRatio * r);
}

}  // namespace torvex
