// Opening marubozu: a body of at least seven tenths of the range with no shadow to
// speak of at the opening end.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class OpeningMarubozu final : public OneBarPattern<OpeningMarubozu> {
public:
    static std::expected<OpeningMarubozu, IndicatorError> create() { return OpeningMarubozu(); }

    static double judge(const Ohlcv& bar);

private:
    OpeningMarubozu() = default;
};

}  // namespace torvex
