// Mat hold: a long white candle, three small candles that gap up and hold above
// half of its body, then a white candle closing above every earlier high. Bullish
// only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class MatHold final : public KeptBarsPattern<MatHold, 4> {
public:
    static std::expected<MatHold, IndicatorError> create() { return MatHold(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    static constexpr double kPenetration = 0.5;

private:
    MatHold() = default;
};

}  // namespace torvex
