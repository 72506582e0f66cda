// Doji star: a long candle followed by a doji whose body lies beyond its close.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class DojiStar final : public KeptBarsPattern<DojiStar, 1> {
public:
    static std::expected<DojiStar, IndicatorError> create() { return DojiStar(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    DojiStar() = default;
};

}  // namespace torvex
