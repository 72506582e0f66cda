#include "indicators/candlesticks/inverted_hammer.hpp"

namespace torvex {

double InvertedHammer::judge(const Ohlcv& bar) {
    using namespace candle;
    const double s = size(bar);
    return s != 0.0 && lower(bar) <= s && upper(bar) >= s + s ? 1.0 : 0.0;
}

}  // namespace torvex
