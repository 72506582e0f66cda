// Thrusting: a long black candle, then a white candle that opens below its low and
// closes into its body, above the close but short of the body's midpoint. Bearish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Thrusting final : public KeptBarsPattern<Thrusting, 1> {
public:
    static std::expected<Thrusting, IndicatorError> create() { return Thrusting(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    Thrusting() = default;
};

}  // namespace torvex
