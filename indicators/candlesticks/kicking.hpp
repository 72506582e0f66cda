// Kicking: two near-marubozu candles (bodies of at least 0.95 of their ranges) of
// opposite colours with a gap between their extremes; the answer follows the current
// candle.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Kicking final : public KeptBarsPattern<Kicking, 1> {
public:
    static std::expected<Kicking, IndicatorError> create() { return Kicking(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    // Both candles have a positive range and a body of at least 0.95 of it.
    static bool long_pair(const Ohlcv& p, const Ohlcv& bar);

private:
    Kicking() = default;
};

}  // namespace torvex
