// Separating lines: a long candle that opens where the previous candle of the other
// colour opened and runs away from it as a belt hold.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class SeparatingLines final : public KeptBarsPattern<SeparatingLines, 1> {
public:
    static std::expected<SeparatingLines, IndicatorError> create() { return SeparatingLines(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    SeparatingLines() = default;
};

}  // namespace torvex
