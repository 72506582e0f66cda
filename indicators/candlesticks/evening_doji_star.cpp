#include "indicators/candlesticks/evening_doji_star.hpp"
#include "indicators/candlesticks/morning_doji_star.hpp"

namespace torvex {

double EveningDojiStar::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    return MorningDojiStar::judge(mirrored(kept), mirrored(bar)) > 0.0 ? -1.0 : 0.0;
}

}  // namespace torvex
