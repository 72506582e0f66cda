// Takuri: a doji-like candle at the top of its range with a lower shadow of at least
// seven tenths of it. Bullish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Takuri final : public OneBarPattern<Takuri> {
public:
    static std::expected<Takuri, IndicatorError> create() { return Takuri(); }

    static double judge(const Ohlcv& bar);

private:
    Takuri() = default;
};

}  // namespace torvex
