#include "indicators/candlesticks/matching_low.hpp"

namespace torvex {

double MatchingLow::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    const bool bullish = black(p) && black(bar) && std::fabs(bar.close - p.close) <= 0.05 * midpoint(range(p), range(bar));
    return bullish ? 1.0 : 0.0;
}

}  // namespace torvex
