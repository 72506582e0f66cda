// Tower top and bottom: a long candle, a small one, then a long candle of the
// opposite colour. The body-to-range ratios are formed only for a positive range; a flat
// middle candle counts as small.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class TowerTopBottom final : public KeptBarsPattern<TowerTopBottom, 2> {
public:
    static std::expected<TowerTopBottom, IndicatorError> create() { return TowerTopBottom(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    static bool is_long(const Ohlcv& k);
    static bool is_small(const Ohlcv& k);

private:
    TowerTopBottom() = default;
};

}  // namespace torvex
