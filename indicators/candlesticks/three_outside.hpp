// Three outside up (+1) or down (-1): a candle engulfed by a longer one of the
// opposite colour, then a third that closes beyond the second. Equal or zero sizes are
// no pattern.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class ThreeOutside final : public KeptBarsPattern<ThreeOutside, 2> {
public:
    static std::expected<ThreeOutside, IndicatorError> create() { return ThreeOutside(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    ThreeOutside() = default;
};

}  // namespace torvex
