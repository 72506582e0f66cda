#include "indicators/demark/td_open.hpp"

namespace torvex {

double TdOpen::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    return signal(bar.open < c1.low && bar.high > c1.low, bar.open > c1.high && bar.low < c1.high);
}

}  // namespace torvex
