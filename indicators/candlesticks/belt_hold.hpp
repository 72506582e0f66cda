// Belt hold: a body of at least half the range that opens at (within a twentieth of
// the range of) its extreme.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class BeltHold final : public OneBarPattern<BeltHold> {
public:
    static std::expected<BeltHold, IndicatorError> create() { return BeltHold(); }

    static double judge(const Ohlcv& bar);

    static constexpr double kShadowRatio = 0.05;

private:
    BeltHold() = default;
};

}  // namespace torvex
