// Gravestone doji: a doji at the bottom of the range with an upper shadow of at least
// half of it. Bearish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class GravestoneDoji final : public OneBarPattern<GravestoneDoji> {
public:
    static std::expected<GravestoneDoji, IndicatorError> create() { return GravestoneDoji(); }

    static double judge(const Ohlcv& bar);

private:
    GravestoneDoji() = default;
};

}  // namespace torvex
