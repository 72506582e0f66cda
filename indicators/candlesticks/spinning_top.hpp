// Spinning top: a small body (at most three tenths of the range) with shadows of at
// least twice the body on both sides; the answer carries the body's colour.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class SpinningTop final : public OneBarPattern<SpinningTop> {
public:
    static std::expected<SpinningTop, IndicatorError> create() { return SpinningTop(); }

    static double judge(const Ohlcv& bar);

    static constexpr double kBodyFraction = 0.3;

private:
    SpinningTop() = default;
};

}  // namespace torvex
