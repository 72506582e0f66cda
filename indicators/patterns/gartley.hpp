// Gartley: the harmonic five-point pattern with a 0.786 retracement of XA at D.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class Gartley final : public SwingPattern<Gartley, 5> {
public:
    static std::expected<Gartley, IndicatorError> create();

    // The pattern's value on the newest 5 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
