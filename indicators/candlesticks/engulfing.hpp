// Engulfing: the current body, strictly longer, covers the previous body of the
// opposite colour (open and close only; the shadows are not compared).
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Engulfing final : public KeptBarsPattern<Engulfing, 1> {
public:
    static std::expected<Engulfing, IndicatorError> create() { return Engulfing(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    Engulfing() = default;
};

}  // namespace torvex
