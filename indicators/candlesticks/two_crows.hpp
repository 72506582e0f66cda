// Two crows: a white candle, a black one that closes above it, then a black candle
// that opens inside the second body and closes inside the first. Bearish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class TwoCrows final : public KeptBarsPattern<TwoCrows, 2> {
public:
    static std::expected<TwoCrows, IndicatorError> create() { return TwoCrows(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    TwoCrows() = default;
};

}  // namespace torvex
