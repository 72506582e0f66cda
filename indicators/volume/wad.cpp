#include "indicators/volume/wad.hpp"

#include <algorithm>

namespace torvex {

double williams_ad(const Ohlcv& b, double pc) {
    if (b.close > pc) return b.close - std::min(b.low, pc);
    if (b.close < pc) return b.close - std::max(b.high, pc);
    return 0.0;
}

std::optional<double> Wad::step(const Ohlcv& bar) {
    if (!prev_close_) {
        prev_close_ = bar.close;
        return std::nullopt;
    }
    total_.add(williams_ad(bar, *prev_close_));
    prev_close_ = bar.close;
    return total_.value();
}

}  // namespace torvex
