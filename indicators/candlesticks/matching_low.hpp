// Matching low: two black candles that close at the same level, within a twentieth
// of their mean range. Bullish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class MatchingLow final : public KeptBarsPattern<MatchingLow, 1> {
public:
    static std::expected<MatchingLow, IndicatorError> create() { return MatchingLow(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    MatchingLow() = default;
};

}  // namespace torvex
