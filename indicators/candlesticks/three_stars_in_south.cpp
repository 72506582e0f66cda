#include "indicators/candlesticks/three_stars_in_south.hpp"

namespace torvex {

double ThreeStarsInSouth::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    const Ohlcv& c3 = bar;
    const double t = kShadowTolerance * std::max(std::fabs(c3.high), std::fabs(c3.low));
    const bool bullish = black(c1) && black(c2) && black(c3) && size(c1) <= c1.close - c1.low &&
                         size(c2) < size(c1) && c1.close <= c2.open && c2.open <= c1.open && c2.close > c1.close &&
                         c2.low > c1.low && c3.high - c3.open <= t && c3.close - c3.low <= t && c3.high < c2.high &&
                         c3.low > c2.low;
    return bullish ? 1.0 : 0.0;
}

}  // namespace torvex
