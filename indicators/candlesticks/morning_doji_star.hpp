// Morning doji star: a long black candle, a doji gapping below it, then a white
// candle gapping above the doji and closing well into the first body. Bullish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class MorningDojiStar final : public KeptBarsPattern<MorningDojiStar, 2> {
public:
    static std::expected<MorningDojiStar, IndicatorError> create() { return MorningDojiStar(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    static constexpr double kPenetration = 0.3;

private:
    MorningDojiStar() = default;
};

}  // namespace torvex
