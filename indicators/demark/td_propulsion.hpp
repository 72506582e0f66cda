// DeMark propulsion: an open at or beyond the previous close followed by a close beyond
// the previous extreme, upward (+1) or downward (-1).
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class TdPropulsion final : public KeptBarsPattern<TdPropulsion, 1> {
public:
    static std::expected<TdPropulsion, IndicatorError> create() { return TdPropulsion(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    TdPropulsion() = default;
};

}  // namespace torvex
