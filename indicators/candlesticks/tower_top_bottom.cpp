#include "indicators/candlesticks/tower_top_bottom.hpp"

namespace torvex {

double TowerTopBottom::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    const Ohlcv& c3 = bar;
    if (!is_long(c1) || !is_small(c2) || !is_long(c3)) return 0.0;
    return signal(black(c1) && white(c3), white(c1) && black(c3));
}

bool TowerTopBottom::is_long(const Ohlcv& k) {
    const double r = candle::range(k);
    return r > 0.0 && candle::size(k) / r >= 0.5;
}

bool TowerTopBottom::is_small(const Ohlcv& k) {
    const double r = candle::range(k);
    return r == 0.0 || candle::size(k) / r <= 0.3;
}

}  // namespace torvex
