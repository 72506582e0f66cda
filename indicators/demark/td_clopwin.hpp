// DeMark close-open within: an open and a close both inside the previous body (bounds
// included); +1 unless the candle is black.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class TdClopwin final : public KeptBarsPattern<TdClopwin, 1> {
public:
    static std::expected<TdClopwin, IndicatorError> create() { return TdClopwin(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    TdClopwin() = default;
};

}  // namespace torvex
