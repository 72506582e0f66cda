#include "indicators/demark/td_camouflage.hpp"

namespace torvex {

double TdCamouflage::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    return signal(bar.close < c1.close && bar.close > bar.open && bar.low < c1.low,
                  bar.close > c1.close && bar.close < bar.open && bar.high > c1.high);
}

}  // namespace torvex
