#include "indicators/candlesticks/downside_gap_three_methods.hpp"

namespace torvex {

double DownsideGapThreeMethods::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p2 = kept[0];
    const Ohlcv& p = kept[1];
    const bool bearish = p.open < p2.close && black(p2) && black(p) && white(bar) && p.close < bar.open &&
                         bar.open < p.open && p2.close < bar.close && bar.close < p2.open;
    return bearish ? -1.0 : 0.0;
}

}  // namespace torvex
