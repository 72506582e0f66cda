#include "indicators/candlesticks/rickshaw_man.hpp"

namespace torvex {

double RickshawMan::judge(const Ohlcv& bar) {
    using namespace candle;
    const double r = range(bar);
    if (!(size(bar) <= 0.1 * r && upper(bar) >= 0.3 * r && lower(bar) >= 0.3 * r)) return 0.0;
    const double position = (body_mid(bar) - bar.low) / r;
    return 0.4 <= position && position <= 0.6 ? 1.0 : 0.0;
}

}  // namespace torvex
