#include "indicators/demark/td_propulsion.hpp"

namespace torvex {

double TdPropulsion::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    return signal(bar.open >= c1.close && bar.close > c1.high, bar.close < c1.low && bar.open <= c1.close);
}

}  // namespace torvex
