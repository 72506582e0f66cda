#include "indicators/candlesticks/closing_marubozu.hpp"

namespace torvex {

double ClosingMarubozu::judge(const Ohlcv& bar) {
    using namespace candle;
    const double r = range(bar);
    if (!(size(bar) >= 0.7 * r)) return 0.0;
    return signal(bar.high - bar.close <= 0.05 * r && white(bar), bar.close - bar.low <= 0.05 * r && black(bar));
}

}  // namespace torvex
