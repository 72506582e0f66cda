// Long-legged doji: a doji with shadows of at least three tenths of the range on both
// sides.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class LongLeggedDoji final : public OneBarPattern<LongLeggedDoji> {
public:
    static std::expected<LongLeggedDoji, IndicatorError> create() { return LongLeggedDoji(); }

    static double judge(const Ohlcv& bar);

private:
    LongLeggedDoji() = default;
};

}  // namespace torvex
