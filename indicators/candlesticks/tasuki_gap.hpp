// Tasuki gap: two candles of one colour with a gap between them, then a candle of
// the other colour that opens inside the second body and closes inside the gap.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class TasukiGap final : public KeptBarsPattern<TasukiGap, 2> {
public:
    static std::expected<TasukiGap, IndicatorError> create() { return TasukiGap(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    TasukiGap() = default;
};

}  // namespace torvex
