#include "indicators/candlesticks/falling_three_methods.hpp"
#include "indicators/candlesticks/rising_three_methods.hpp"

namespace torvex {

double FallingThreeMethods::judge(const Bars& kept, const Ohlcv& bar) {
    using namespace candle;
    return RisingThreeMethods::judge(mirrored(kept), mirrored(bar)) > 0.0 ? -1.0 : 0.0;
}

}  // namespace torvex
