// Kicking by length: the kicking pair, answered with the colour of the longer body
// (equal bodies take the previous candle's colour).
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class KickingByLength final : public KeptBarsPattern<KickingByLength, 1> {
public:
    static std::expected<KickingByLength, IndicatorError> create() { return KickingByLength(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    KickingByLength() = default;
};

}  // namespace torvex
