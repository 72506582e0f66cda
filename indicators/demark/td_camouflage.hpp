// DeMark camouflage: a lower close that is still a white candle with a lower low (+1),
// or a higher close that is a black candle with a higher high (-1).
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class TdCamouflage final : public KeptBarsPattern<TdCamouflage, 1> {
public:
    static std::expected<TdCamouflage, IndicatorError> create() { return TdCamouflage(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    TdCamouflage() = default;
};

}  // namespace torvex
