// Unique three river: a long black candle, a black candle inside its body that
// makes a new low, then a small white candle that stays below the second close. Bullish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class UniqueThreeRiver final : public KeptBarsPattern<UniqueThreeRiver, 2> {
public:
    static std::expected<UniqueThreeRiver, IndicatorError> create() { return UniqueThreeRiver(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    UniqueThreeRiver() = default;
};

}  // namespace torvex
