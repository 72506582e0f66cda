// Concealing baby swallow: two black candles without real shadows, a black candle
// gapping down whose high reaches back into the second body, then a black candle that
// engulfs it shadows and all. Bullish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class ConcealingBabySwallow final : public KeptBarsPattern<ConcealingBabySwallow, 3> {
public:
    static std::expected<ConcealingBabySwallow, IndicatorError> create() { return ConcealingBabySwallow(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    // A black candle with a positive range and shadows within a twentieth of it.
    static bool shaven_black(const Ohlcv& k);

private:
    ConcealingBabySwallow() = default;
};

}  // namespace torvex
