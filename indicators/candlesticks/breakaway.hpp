// Breakaway: a candle, a gap in its direction, two more bars pushing on, then a
// candle of the other colour closing back inside the gap. The colour of the third bar is
// not examined; the bearish form is the mirror image of the bullish one.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Breakaway final : public KeptBarsPattern<Breakaway, 4> {
public:
    static std::expected<Breakaway, IndicatorError> create() { return Breakaway(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    static bool bullish(const Bars& kept, const Ohlcv& bar);

private:
    Breakaway() = default;
};

}  // namespace torvex
