// Piercing line (+1) or dark cloud cover (-1): a candle that opens beyond the
// previous extreme and closes past the midpoint of the previous body.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class PiercingDarkCloud final : public KeptBarsPattern<PiercingDarkCloud, 1> {
public:
    static std::expected<PiercingDarkCloud, IndicatorError> create() { return PiercingDarkCloud(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    PiercingDarkCloud() = default;
};

}  // namespace torvex
