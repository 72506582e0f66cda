#include "indicators/demark/td_clop.hpp"

namespace torvex {

double TdClop::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    return signal(bar.open < bottom(c1) && bar.close > top(c1), bar.open > top(c1) && bar.close < bottom(c1));
}

}  // namespace torvex
