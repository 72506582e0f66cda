// Tweezer bottom (+1, matching lows) or top (-1, matching highs) of two candles,
// within a thousandth of the price level; colours are not tested and the bottom wins.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Tweezer final : public KeptBarsPattern<Tweezer, 1> {
public:
    static std::expected<Tweezer, IndicatorError> create() { return Tweezer(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    static constexpr double kTolerance = 0.001;

private:
    Tweezer() = default;
};

}  // namespace torvex
