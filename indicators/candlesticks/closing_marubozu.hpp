// Closing marubozu: a body of at least seven tenths of the range with no shadow to
// speak of at the closing end.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class ClosingMarubozu final : public OneBarPattern<ClosingMarubozu> {
public:
    static std::expected<ClosingMarubozu, IndicatorError> create() { return ClosingMarubozu(); }

    static double judge(const Ohlcv& bar);

private:
    ClosingMarubozu() = default;
};

}  // namespace torvex
