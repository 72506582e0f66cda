#include "indicators/candlesticks/marubozu.hpp"

namespace torvex {

double Marubozu::judge(const Ohlcv& bar) {
    using namespace candle;
    const double r = range(bar);
    if (!(body(bar) != 0.0 && upper(bar) <= kShadowRatio * r && lower(bar) <= kShadowRatio * r)) return 0.0;
    return white(bar) ? 1.0 : -1.0;
}

}  // namespace torvex
