#include "indicators/candlesticks/separating_lines.hpp"

namespace torvex {

double SeparatingLines::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    const double r = range(bar);
    const double pr = range(p);
    if (!(r > 0.0 && pr > 0.0 && std::fabs(bar.open - p.open) <= 0.05 * pr && size(bar) >= 0.5 * r)) return 0.0;
    return signal(bar.open - bar.low <= 0.05 * r && white(bar) && black(p),
                  bar.high - bar.open <= 0.05 * r && black(bar) && white(p));
}

}  // namespace torvex
