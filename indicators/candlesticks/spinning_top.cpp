#include "indicators/candlesticks/spinning_top.hpp"

namespace torvex {

double SpinningTop::judge(const Ohlcv& bar) {
    using namespace candle;
    const double s = size(bar);
    if (s == 0.0) return 0.0;
    if (s > kBodyFraction * range(bar)) return 0.0;
    if (upper(bar) >= 2.0 * s && lower(bar) >= 2.0 * s) return white(bar) ? 1.0 : -1.0;
    return 0.0;
}

}  // namespace torvex
