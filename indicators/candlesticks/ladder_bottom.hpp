// Ladder bottom: three falling black candles, a black candle with an upper shadow,
// then a white candle that opens above its open and closes above its high. Bullish
// only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class LadderBottom final : public KeptBarsPattern<LadderBottom, 4> {
public:
    static std::expected<LadderBottom, IndicatorError> create() { return LadderBottom(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    LadderBottom() = default;
};

}  // namespace torvex
