// Advance block: three rising white candles with shrinking bodies, each opening in
// the body before it, the last with a growing upper shadow. Bearish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class AdvanceBlock final : public KeptBarsPattern<AdvanceBlock, 2> {
public:
    static std::expected<AdvanceBlock, IndicatorError> create() { return AdvanceBlock(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    AdvanceBlock() = default;
};

}  // namespace torvex
