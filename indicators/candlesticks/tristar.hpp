// Tristar: three dojis in a row whose middle one gaps away from the first, the third
// turning back. A doji needs a positive range and a body of at most a tenth of it.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Tristar final : public KeptBarsPattern<Tristar, 2> {
public:
    static std::expected<Tristar, IndicatorError> create() { return Tristar(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    // A candle with a positive range and a body of at most a tenth of it.
    static bool is_doji(const Ohlcv& k);

private:
    Tristar() = default;
};

}  // namespace torvex
