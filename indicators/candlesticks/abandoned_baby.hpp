// Abandoned baby: a doji (body within a thousandth of its price level) that gaps
// away from the first candle, then a candle of the opposite colour that gaps back.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class AbandonedBaby final : public KeptBarsPattern<AbandonedBaby, 2> {
public:
    static std::expected<AbandonedBaby, IndicatorError> create() { return AbandonedBaby(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    static constexpr double kDojiTolerance = 0.001;

private:
    AbandonedBaby() = default;
};

}  // namespace torvex
