#include "indicators/candlesticks/mat_hold.hpp"

namespace torvex {

double MatHold::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& b1 = kept[0];
    if (!long_white(b1)) return 0.0;
    const double body1 = b1.close - b1.open;
    for (std::size_t k = 1; k < 4; ++k) {
        if (!(size(kept[k]) <= 0.5 * body1)) return 0.0;
    }
    if (!(bottom(kept[1]) > b1.close)) return 0.0;
    const double lowest = std::min({kept[1].low, kept[2].low, kept[3].low});
    if (!(lowest > b1.close - kPenetration * body1)) return 0.0;
    const double highest = std::max({b1.high, kept[1].high, kept[2].high, kept[3].high});
    return bar.close > bar.open && bar.close > highest ? 1.0 : 0.0;
}

}  // namespace torvex
