// On neck: after a long black candle, a white candle that opens below its low and
// closes back at that low. A continuation of the fall, bearish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class OnNeck final : public KeptBarsPattern<OnNeck, 1> {
public:
    static std::expected<OnNeck, IndicatorError> create() { return OnNeck(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    OnNeck() = default;
};

}  // namespace torvex
