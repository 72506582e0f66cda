#include "indicators/candlesticks/gap_side_by_side_white.hpp"

namespace torvex {

double GapSideBySideWhite::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p2 = kept[0];
    const Ohlcv& p = kept[1];
    const double pr = range(p);
    const double b = body(bar);
    if (!(pr > 0.0 && white(p) && white(bar) && std::fabs(bar.open - p.open) <= 0.1 * pr && body(p) <= b + b &&
          b <= body(p) + body(p))) {
        return 0.0;
    }
    return signal(bottom(p) > top(p2), bottom(p2) > top(p));
}

}  // namespace torvex
