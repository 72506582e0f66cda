// Evening doji star: a long white candle, a doji gapping above it, then a black
// candle gapping below the doji and closing well into the first body. Bearish only; the
// exact mirror image of the morning doji star.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class EveningDojiStar final : public KeptBarsPattern<EveningDojiStar, 2> {
public:
    static std::expected<EveningDojiStar, IndicatorError> create() { return EveningDojiStar(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    EveningDojiStar() = default;
};

}  // namespace torvex
