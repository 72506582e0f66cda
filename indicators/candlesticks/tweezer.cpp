#include "indicators/candlesticks/tweezer.hpp"

namespace torvex {

double Tweezer::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& c1 = kept[0];
    const Ohlcv& c2 = bar;
    if (std::fabs(c2.low - c1.low) <= kTolerance * std::max(std::fabs(c1.low), std::fabs(c2.low))) return 1.0;
    if (std::fabs(c2.high - c1.high) <= kTolerance * std::max(std::fabs(c1.high), std::fabs(c2.high))) return -1.0;
    return 0.0;
}

}  // namespace torvex
