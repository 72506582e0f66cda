#include "indicators/candlesticks/opening_marubozu.hpp"

namespace torvex {

double OpeningMarubozu::judge(const Ohlcv& bar) {
    using namespace candle;
    const double r = range(bar);
    if (!(size(bar) >= 0.7 * r)) return 0.0;
    return signal(white(bar) && bar.open - bar.low <= 0.05 * r, black(bar) && bar.high - bar.open <= 0.05 * r);
}

}  // namespace torvex
