#include "indicators/candlesticks/long_line.hpp"

namespace torvex {

double LongLine::judge(const Ohlcv& bar, double mean_range) {
    using namespace candle;
    const double r = range(bar);
    if (r <= mean_range) return 0.0;
    if (size(bar) < 0.5 * r) return 0.0;
    return white(bar) ? 1.0 : -1.0;
}

}  // namespace torvex
