// DeMark differential: two falling closes with rising buying pressure and falling
// selling pressure (+1), or the mirror (-1). Each pressure is measured against the close
// before its bar.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class TdDifferential final : public KeptBarsPattern<TdDifferential, 2> {
public:
    static std::expected<TdDifferential, IndicatorError> create() { return TdDifferential(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    TdDifferential() = default;
};

}  // namespace torvex
