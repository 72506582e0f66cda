#include "indicators/candlesticks/three_soldiers_or_crows.hpp"

namespace torvex {

double ThreeSoldiersOrCrows::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    return signal(soldiers(kept[0], kept[1], bar), crows(kept[0], kept[1], bar));
}

bool ThreeSoldiersOrCrows::soldiers(const Ohlcv& c1, const Ohlcv& c2, const Ohlcv& c3) {
    using namespace candle;
    return white(c1) && white(c2) && white(c3) && c1.close < c2.close && c2.close < c3.close &&
           c1.open <= c2.open && c2.open <= c1.close && c2.open <= c3.open && c3.open <= c2.close;
}

bool ThreeSoldiersOrCrows::crows(const Ohlcv& c1, const Ohlcv& c2, const Ohlcv& c3) {
    using candle::mirrored;
    return soldiers(mirrored(c1), mirrored(c2), mirrored(c3));
}

}  // namespace torvex
