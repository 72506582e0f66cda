#include "indicators/volume/wad.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Wad);

double williams_ad(const Ohlcv& b, double pc) {
    if (b.close > pc) return b.close - std::min(b.low, pc);
    if (b.close < pc) return b.close - std::max(b.high, pc);
    return 0.0;
}

}  // namespace torvex
