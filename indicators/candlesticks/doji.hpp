// Doji: a body of at most a tenth of the range.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Doji final : public OneBarPattern<Doji> {
public:
    static std::expected<Doji, IndicatorError> create() { return Doji(); }

    static double judge(const Ohlcv& bar);

    static constexpr double kDojiRatio = 0.1;

private:
    Doji() = default;
};

}  // namespace torvex
