#include "indicators/candlesticks/advance_block.hpp"

namespace torvex {

double AdvanceBlock::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p2 = kept[0];
    const Ohlcv& p = kept[1];
    const bool bearish = white(p2) && white(p) && white(bar) && p2.close < p.close && p.close < bar.close &&
                         p2.open <= p.open && p.open <= p2.close && p.open <= bar.open && bar.open <= p.close &&
                         body(p) < body(p2) && body(bar) < body(p) && 0.0 < bar.high - bar.close &&
                         p.high - p.close <= bar.high - bar.close;
    return bearish ? -1.0 : 0.0;
}

}  // namespace torvex
