#include "indicators/candlesticks/breakaway.hpp"

namespace torvex {

double Breakaway::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    return signal(bullish(kept, bar), bullish(mirrored(kept), mirrored(bar)));
}

bool Breakaway::bullish(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& b1 = kept[0];
    const Ohlcv& b2 = kept[1];
    const Ohlcv& b3 = kept[2];
    const Ohlcv& b4 = kept[3];
    return black(b1) && black(b2) && b2.open < b1.close && b3.high < b2.high && b4.high < b3.high &&
           b3.low < b2.low && b4.low < b3.low && black(b4) && white(bar) && b2.open < bar.close &&
           bar.close < b1.close;
}

}  // namespace torvex
