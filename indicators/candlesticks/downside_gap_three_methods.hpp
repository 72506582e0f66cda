// Downside gap three methods: two black candles with a gap between them, then a
// white candle opening inside the second body and closing inside the first. Bearish
// continuation only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class DownsideGapThreeMethods final : public KeptBarsPattern<DownsideGapThreeMethods, 2> {
public:
    static std::expected<DownsideGapThreeMethods, IndicatorError> create() { return DownsideGapThreeMethods(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    DownsideGapThreeMethods() = default;
};

}  // namespace torvex
