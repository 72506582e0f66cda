#include "indicators/candlesticks/counterattack.hpp"

namespace torvex {

double Counterattack::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    if (!(size(bar) >= 0.5 * range(bar) && size(p) >= 0.5 * range(p))) return 0.0;
    if (!(std::fabs(bar.close - p.close) <= kTolerance * midpoint(range(p), range(bar)))) return 0.0;
    return signal(white(bar) && body(p) < 0.0, black(bar) && body(p) > 0.0);
}

}  // namespace torvex
