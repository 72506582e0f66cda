#include "indicators/candlesticks/gravestone_doji.hpp"

namespace torvex {

double GravestoneDoji::judge(const Ohlcv& bar) {
    using namespace candle;
    const double r = range(bar);
    return size(bar) <= 0.1 * r && lower(bar) <= 0.1 * r && upper(bar) >= 0.5 * r ? -1.0 : 0.0;
}

}  // namespace torvex
