// Rising three methods: a long white candle, three small black candles falling
// within its reach, then a long white candle breaking out above the first close.
// Bullish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class RisingThreeMethods final : public KeptBarsPattern<RisingThreeMethods, 4> {
public:
    static std::expected<RisingThreeMethods, IndicatorError> create() { return RisingThreeMethods(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    RisingThreeMethods() = default;
};

}  // namespace torvex
