// Stalled pattern: two long white candles with rising closes, then a small white
// candle that opens near the second close. Bearish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class StalledPattern final : public KeptBarsPattern<StalledPattern, 2> {
public:
    static std::expected<StalledPattern, IndicatorError> create() { return StalledPattern(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    StalledPattern() = default;
};

}  // namespace torvex
