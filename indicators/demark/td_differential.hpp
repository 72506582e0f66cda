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

    // The signal `answer`, or 0.0 where the pressures it compares are equal in the
    // prices' decimals, which makes its strict comparison false.
    [[gnu::noinline]] static double unless_tied(const Ohlcv& c1, const Ohlcv& c2, const Ohlcv& bar, double answer);
};

}  // namespace torvex
