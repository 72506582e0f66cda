#include "indicators/candlesticks/takuri.hpp"

namespace torvex {

double Takuri::judge(const Ohlcv& bar) {
    using namespace candle;
    const double r = range(bar);
    if (size(bar) > 0.1 * r) return 0.0;
    return upper(bar) <= 0.05 * r && lower(bar) >= 0.7 * r ? 1.0 : 0.0;
}

}  // namespace torvex
