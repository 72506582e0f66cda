#include "indicators/demark/td_clopwin.hpp"

namespace torvex {

double TdClopwin::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const double lo = bottom(c1);
    const double hi = top(c1);
    if (!(lo <= bar.open && bar.open <= hi && lo <= bar.close && bar.close <= hi)) return 0.0;
    return bar.close >= bar.open ? 1.0 : -1.0;
}

}  // namespace torvex
