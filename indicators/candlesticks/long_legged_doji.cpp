#include "indicators/candlesticks/long_legged_doji.hpp"

namespace torvex {

double LongLeggedDoji::judge(const Ohlcv& bar) {
    using namespace candle;
    const double r = range(bar);
    return size(bar) <= 0.1 * r && upper(bar) >= 0.3 * r && lower(bar) >= 0.3 * r ? 1.0 : 0.0;
}

}  // namespace torvex
