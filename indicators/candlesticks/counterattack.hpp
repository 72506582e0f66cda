// Counterattack: two long bodies of opposite colours that close at the same level,
// within a twentieth of their mean range.
#pragma once

#include <expected>

#include "indicators/cores/candle_shape.hpp"

namespace torvex {

class Counterattack final : public KeptBarsPattern<Counterattack, 1> {
public:
    static std::expected<Counterattack, IndicatorError> create() { return Counterattack(); }

    static double judge(const Bars& kept, const Ohlcv& bar);

    static constexpr double kTolerance = 0.05;

private:
    Counterattack() = default;
};

}  // namespace torvex
