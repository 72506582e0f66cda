// Three-line strike: three soldiers (or crows) and then a fourth candle of the other
// colour that opens beyond the third close and wipes out the run, closing beyond the
// first open.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class ThreeLineStrike final : public KeptBarsPattern<ThreeLineStrike, 3> {
public:
    static std::expected<ThreeLineStrike, IndicatorError> create() { return ThreeLineStrike(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    ThreeLineStrike() = default;
};

}  // namespace torvex
