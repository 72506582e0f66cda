#include "indicators/candlesticks/high_wave.hpp"

namespace torvex {

double HighWave::judge(const Ohlcv& bar) {
    using namespace candle;
    const double r = range(bar);
    return upper(bar) >= 0.4 * r && lower(bar) >= 0.4 * r ? 1.0 : 0.0;
}

}  // namespace torvex
