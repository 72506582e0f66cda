// DeMark close-open: an open beyond one end of the previous body and a close beyond
// the other end, upward (+1) or downward (-1).
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class TdClop final : public KeptBarsPattern<TdClop, 1> {
public:
    static std::expected<TdClop, IndicatorError> create() { return TdClop(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    TdClop() = default;
};

}  // namespace torvex
