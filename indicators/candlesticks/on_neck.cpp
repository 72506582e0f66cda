#include "indicators/candlesticks/on_neck.hpp"

namespace torvex {

double OnNeck::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    const bool bearish =
        long_black(p) && white(bar) && p.low > bar.open && std::fabs(bar.close - p.low) <= 0.05 * range(p);
    return bearish ? -1.0 : 0.0;
}

}  // namespace torvex
