// Three stars in the south: three black candles that shrink and hold higher lows, the
// last one almost without shadows and inside the second's range. Bullish only. The
// shadow tolerance is a thousandth of the last candle's price level.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class ThreeStarsInSouth final : public KeptBarsPattern<ThreeStarsInSouth, 2> {
public:
    static std::expected<ThreeStarsInSouth, IndicatorError> create() { return ThreeStarsInSouth(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    static constexpr double kShadowTolerance = 0.001;

private:
    ThreeStarsInSouth() = default;
};

}  // namespace torvex
