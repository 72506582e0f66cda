#include "indicators/candlesticks/short_line.hpp"

namespace torvex {

double ShortLine::judge(const Ohlcv& bar, double mean_range) {
    using namespace candle;
    const double r = range(bar);
    if (mean_range > r && size(bar) >= 0.5 * r) return body(bar) > 0.0 ? 1.0 : -1.0;
    return 0.0;
}

}  // namespace torvex
