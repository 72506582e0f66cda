// Harami: a strictly shorter current body inside the previous body of the opposite
// colour. Either body zero is no pattern.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Harami final : public KeptBarsPattern<Harami, 1> {
public:
    static std::expected<Harami, IndicatorError> create() { return Harami(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    Harami() = default;
};

}  // namespace torvex
