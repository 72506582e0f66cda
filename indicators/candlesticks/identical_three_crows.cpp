#include "indicators/candlesticks/identical_three_crows.hpp"

namespace torvex {

double IdenticalThreeCrows::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    const Ohlcv& p2 = kept[0];
    const Ohlcv& p = kept[1];
    const bool bearish =
        black(p2) && black(p) && p.close > bar.close && black(bar) && p2.close > p.close &&
        std::fabs(p.open - p2.close) <= kOpenTolerance * std::max(std::fabs(p.open), std::fabs(p2.close)) &&
        std::fabs(bar.open - p.close) <= kOpenTolerance * std::max(std::fabs(bar.open), std::fabs(p.close));
    return bearish ? -1.0 : 0.0;
}

}  // namespace torvex
