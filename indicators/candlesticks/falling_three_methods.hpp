// Falling three methods: a long black candle, three small white candles rising
// within its reach, then a long black candle breaking out below the first close.
// Bearish only; the exact mirror image of rising three methods.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class FallingThreeMethods final : public KeptBarsPattern<FallingThreeMethods, 4> {
public:
    static std::expected<FallingThreeMethods, IndicatorError> create() { return FallingThreeMethods(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    FallingThreeMethods() = default;
};

}  // namespace torvex
