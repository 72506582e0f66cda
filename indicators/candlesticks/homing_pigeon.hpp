// Homing pigeon: a black candle whose body lies inside a strictly longer previous
// black body. Bullish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class HomingPigeon final : public KeptBarsPattern<HomingPigeon, 1> {
public:
    static std::expected<HomingPigeon, IndicatorError> create() { return HomingPigeon(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    HomingPigeon() = default;
};

}  // namespace torvex
