#include "indicators/candlesticks/kicking_by_length.hpp"
#include "indicators/candlesticks/kicking.hpp"

namespace torvex {

double KickingByLength::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    if (!Kicking::long_pair(p, bar)) return 0.0;
    if (white(bar) && body(p) < 0.0 && bar.low > p.high) return size(p) < size(bar) ? 1.0 : -1.0;
    if (body(p) > 0.0 && black(bar) && p.low > bar.high) return size(p) < size(bar) ? -1.0 : 1.0;
    return 0.0;
}

}  // namespace torvex
