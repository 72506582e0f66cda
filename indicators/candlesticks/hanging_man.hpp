// Hanging man: the hammer shape read as a top. Without trend context the two differ
// only in their sign. Bearish.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class HangingMan final : public OneBarPattern<HangingMan> {
public:
    static std::expected<HangingMan, IndicatorError> create() { return HangingMan(); }

    static double judge(const Ohlcv& bar);

private:
    HangingMan() = default;
};

}  // namespace torvex
