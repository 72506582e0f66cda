#include "indicators/candlesticks/shooting_star.hpp"

namespace torvex {

double ShootingStar::judge(const Ohlcv& bar) {
    using namespace candle;
    const double s = size(bar);
    if (s == 0.0) return 0.0;
    return lower(bar) <= s && upper(bar) >= 2.0 * s ? -1.0 : 0.0;
}

}  // namespace torvex
