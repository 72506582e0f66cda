// DeMark open: an open beyond the previous extreme that trades back through it, below
// the previous low (+1) or above the previous high (-1).
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class TdOpen final : public KeptBarsPattern<TdOpen, 1> {
public:
    static std::expected<TdOpen, IndicatorError> create() { return TdOpen(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    TdOpen() = default;
};

}  // namespace torvex
