// Harami cross: a doji (positive range, body at most a tenth of it) inside the body
// of a long previous candle; a previous candle without range counts as long. The sign
// is +1 after a black candle and -1 otherwise.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class HaramiCross final : public KeptBarsPattern<HaramiCross, 1> {
public:
    static std::expected<HaramiCross, IndicatorError> create() { return HaramiCross(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    HaramiCross() = default;
};

}  // namespace torvex
