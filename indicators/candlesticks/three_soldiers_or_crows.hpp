// Three white soldiers (+1) or three black crows (-1): three candles of one colour
// with closes moving one way, each opening inside the body before it.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class ThreeSoldiersOrCrows final : public KeptBarsPattern<ThreeSoldiersOrCrows, 2> {
public:
    static std::expected<ThreeSoldiersOrCrows, IndicatorError> create() { return ThreeSoldiersOrCrows(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    // Three white candles with rising closes, each opening within the body before it.
    static bool soldiers(const Ohlcv& c1, const Ohlcv& c2, const Ohlcv& c3);
    // The mirror: three black candles with falling closes.
    static bool crows(const Ohlcv& c1, const Ohlcv& c2, const Ohlcv& c3);

private:
    ThreeSoldiersOrCrows() = default;
};

}  // namespace torvex
