// Marubozu: a real body with both shadows within a twentieth of the range; the answer
// carries the body's colour.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Marubozu final : public OneBarPattern<Marubozu> {
public:
    static std::expected<Marubozu, IndicatorError> create() { return Marubozu(); }

    static double judge(const Ohlcv& bar);

    static constexpr double kShadowRatio = 0.05;

private:
    Marubozu() = default;
};

}  // namespace torvex
