#include "indicators/candlesticks/matching_low.hpp"

namespace torvex {

double MatchingLow::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p = kept[0];
    const double tolerance = 0.05 * midpoint(range(p), range(bar));
    const bool bullish = black(p) && black(bar) && std::fabs(bar.close - p.close) <= tolerance;
    return bullish ? 1.0 : 0.0;
}

}  // namespace torvex
