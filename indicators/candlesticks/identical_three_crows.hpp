// Identical three crows: three falling black candles, each opening at the previous
// close within a thousandth of the price. Bearish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class IdenticalThreeCrows final : public KeptBarsPattern<IdenticalThreeCrows, 2> {
public:
    static std::expected<IdenticalThreeCrows, IndicatorError> create() { return IdenticalThreeCrows(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    static constexpr double kOpenTolerance = 0.001;

private:
    IdenticalThreeCrows() = default;
};

}  // namespace torvex
