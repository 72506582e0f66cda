// High wave: both shadows at least four tenths of the range, whatever the body.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class HighWave final : public OneBarPattern<HighWave> {
public:
    static std::expected<HighWave, IndicatorError> create() { return HighWave(); }

    static double judge(const Ohlcv& bar);

private:
    HighWave() = default;
};

}  // namespace torvex
