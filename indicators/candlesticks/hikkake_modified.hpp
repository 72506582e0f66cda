// Modified hikkake: two strict inside bars in a row, the first closing in the outer
// fifth of its range, then a bar that breaks the second inside bar on both extremes.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class HikkakeModified final : public KeptBarsPattern<HikkakeModified, 3> {
public:
    static std::expected<HikkakeModified, IndicatorError> create() { return HikkakeModified(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    HikkakeModified() = default;
};

}  // namespace torvex
