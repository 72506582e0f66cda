// Hikkake: a strict inside bar, then a bar that breaks it on both extremes: lower
// high and lower low (+1, the false breakdown) or higher high and higher low (-1).
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Hikkake final : public KeptBarsPattern<Hikkake, 2> {
public:
    static std::expected<Hikkake, IndicatorError> create() { return Hikkake(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    Hikkake() = default;
};

}  // namespace torvex
