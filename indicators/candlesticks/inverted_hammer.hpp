// Inverted hammer: a real body at the bottom of the range with an upper shadow of at
// least twice the body. Bullish.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class InvertedHammer final : public OneBarPattern<InvertedHammer> {
public:
    static std::expected<InvertedHammer, IndicatorError> create() { return InvertedHammer(); }

    static double judge(const Ohlcv& bar);

private:
    InvertedHammer() = default;
};

}  // namespace torvex
