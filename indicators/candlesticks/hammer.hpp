// Hammer: a real body at the top of the range with a lower shadow of at least twice
// the body; shadows are compared with the body length, not the range. Bullish.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Hammer final : public OneBarPattern<Hammer> {
public:
    static std::expected<Hammer, IndicatorError> create() { return Hammer(); }

    static double judge(const Ohlcv& bar);

    // The hammer shape, shared with the hanging man (which only answers the other sign).
    static bool shape(const Ohlcv& bar);

private:
    Hammer() = default;
};

}  // namespace torvex
