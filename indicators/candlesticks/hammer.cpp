#include "indicators/candlesticks/hammer.hpp"

namespace torvex {

double Hammer::judge(const Ohlcv& bar) {
    using namespace candle;
    return shape(bar) ? 1.0 : 0.0;
}

bool Hammer::shape(const Ohlcv& bar) {
    using namespace candle;
    const double s = size(bar);
    return s != 0.0 && upper(bar) <= s && lower(bar) >= s + s;
}

}  // namespace torvex
