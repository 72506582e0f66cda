// Shooting star: a real body at the bottom of the range with an upper shadow of at
// least twice the body. Bearish only; a candle that closes at its open is none.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class ShootingStar final : public OneBarPattern<ShootingStar> {
public:
    static std::expected<ShootingStar, IndicatorError> create() { return ShootingStar(); }

    static double judge(const Ohlcv& bar);

private:
    ShootingStar() = default;
};

}  // namespace torvex
