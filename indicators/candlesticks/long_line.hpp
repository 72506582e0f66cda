// Long line: a candle whose range exceeds the mean range of the five before it and
// whose body fills at least half of it; the answer carries the body's colour (a flat
// candle never gets this far).
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class LongLine final : public RangeWindowPattern<LongLine> {
public:
    static std::expected<LongLine, IndicatorError> create() { return LongLine(); }

    static double judge(const Ohlcv& bar, double mean_range);

private:
    LongLine() = default;
};

}  // namespace torvex
