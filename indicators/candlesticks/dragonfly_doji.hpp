// Dragonfly doji: a doji at the top of the range with a lower shadow of at least half
// of it. Bullish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class DragonflyDoji final : public OneBarPattern<DragonflyDoji> {
public:
    static std::expected<DragonflyDoji, IndicatorError> create() { return DragonflyDoji(); }

    static double judge(const Ohlcv& bar);

private:
    DragonflyDoji() = default;
};

}  // namespace torvex
