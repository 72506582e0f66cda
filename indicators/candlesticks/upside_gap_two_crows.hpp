// Upside gap two crows: a white candle, a black one that closes above it, then a
// black candle opening above the second's open and closing inside the gap. Bearish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class UpsideGapTwoCrows final : public KeptBarsPattern<UpsideGapTwoCrows, 2> {
public:
    static std::expected<UpsideGapTwoCrows, IndicatorError> create() { return UpsideGapTwoCrows(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    UpsideGapTwoCrows() = default;
};

}  // namespace torvex
