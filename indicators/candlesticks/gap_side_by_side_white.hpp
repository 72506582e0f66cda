// Side-by-side white lines: two white candles of similar size opening at the same
// level, gapping up (+1) or down (-1) from the first candle's body.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class GapSideBySideWhite final : public KeptBarsPattern<GapSideBySideWhite, 2> {
public:
    static std::expected<GapSideBySideWhite, IndicatorError> create() { return GapSideBySideWhite(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    GapSideBySideWhite() = default;
};

}  // namespace torvex
