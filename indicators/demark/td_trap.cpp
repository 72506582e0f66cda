#include "indicators/demark/td_trap.hpp"

namespace torvex {

double TdTrap::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    if (!(c2.high < c1.high && c2.low > c1.low)) return 0.0;
    return signal(bar.close > c2.high, bar.close < c2.low);
}

}  // namespace torvex
