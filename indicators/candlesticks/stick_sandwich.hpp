// Stick sandwich: a black candle, a white one above its close, then a black candle
// closing back at the first close (within a tenth of the first range). Bullish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class StickSandwich final : public KeptBarsPattern<StickSandwich, 2> {
public:
    static std::expected<StickSandwich, IndicatorError> create() { return StickSandwich(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    StickSandwich() = default;
};

}  // namespace torvex
