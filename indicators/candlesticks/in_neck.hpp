// In neck: after a long black candle, a white candle that opens below its low and
// closes just into its body (at most a tenth of it). Bearish only.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class InNeck final : public KeptBarsPattern<InNeck, 1> {
public:
    static std::expected<InNeck, IndicatorError> create() { return InNeck(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

private:
    InNeck() = default;
};

}  // namespace torvex
