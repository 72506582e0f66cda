// Upside gap three methods: two white candles with a gap between them, then a
// black candle that opens inside the second body and closes inside the first. Bullish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class UpsideGapThreeMethods final : public KeptBarsPattern<UpsideGapThreeMethods, 2> {
public:
    static std::expected<UpsideGapThreeMethods, IndicatorError> create() { return UpsideGapThreeMethods(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    UpsideGapThreeMethods() = default;
};

}  // namespace torvex
