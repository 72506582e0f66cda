// Short line: a candle whose range is below the mean range of the five before it and
// whose body fills at least half of its range; the answer carries the body's sign (a
// flat candle counts as bearish).
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class ShortLine final : public RangeWindowPattern<ShortLine> {
public:
    static std::expected<ShortLine, IndicatorError> create() { return ShortLine(); }

    static double judge(const Ohlcv& bar, double mean_range);

private:
    ShortLine() = default;
};

}  // namespace torvex
