#include "indicators/demark/td_differential.hpp"

namespace torvex {

double TdDifferential::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = kept[1];
    const double buying2 = c2.close - std::min(c2.low, c1.close);
    const double selling2 = std::max(c2.high, c1.close) - c2.close;
    const double buying3 = bar.close - std::min(bar.low, c2.close);
    const double selling3 = std::max(bar.high, c2.close) - bar.close;
    const bool bullish = bar.close < c2.close && c2.close < c1.close && buying3 > buying2 && selling3 < selling2;
    const bool bearish = bar.close > c2.close && c2.close > c1.close && buying3 < buying2 && selling3 > selling2;
    return signal(bullish, bearish);
}

}  // namespace torvex
