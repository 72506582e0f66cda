// Morning star (+1) or evening star (-1): a long candle, a small star, then a long
// candle of the opposite colour that closes well into the first body.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class MorningEveningStar final : public KeptBarsPattern<MorningEveningStar, 2> {
public:
    static std::expected<MorningEveningStar, IndicatorError> create() { return MorningEveningStar(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    MorningEveningStar() = default;
};

}  // namespace torvex
