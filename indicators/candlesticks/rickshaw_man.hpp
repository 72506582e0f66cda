// Rickshaw man: a long-legged doji whose body midpoint sits in the middle fifth of the
// range.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class RickshawMan final : public OneBarPattern<RickshawMan> {
public:
    static std::expected<RickshawMan, IndicatorError> create() { return RickshawMan(); }

    static double judge(const Ohlcv& bar);

private:
    RickshawMan() = default;
};

}  // namespace torvex
