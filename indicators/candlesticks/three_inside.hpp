// Three inside up (+1) or down (-1): a candle, a shorter one of the opposite colour
// inside its body, then a third that closes beyond the first open. Equal or zero sizes
// are no pattern.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class ThreeInside final : public KeptBarsPattern<ThreeInside, 2> {
public:
    static std::expected<ThreeInside, IndicatorError> create() { return ThreeInside(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    ThreeInside() = default;
};

}  // namespace torvex
