#include "indicators/candlesticks/doji.hpp"

namespace torvex {

double Doji::judge(const Ohlcv& bar) {
    using namespace candle;
    return size(bar) <= kDojiRatio * range(bar) ? 1.0 : 0.0;
}

}  // namespace torvex
