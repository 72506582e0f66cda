// DeMark trap: after an inside bar (strictly within the bar before it), a close
// above the inside bar's high (+1) or below its low (-1).
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class TdTrap final : public KeptBarsPattern<TdTrap, 2> {
public:
    static std::expected<TdTrap, IndicatorError> create() { return TdTrap(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    TdTrap() = default;
};

}  // namespace torvex
