// Triangle: ascending (flat highs, rising lows), descending (falling highs, flat lows)
// and symmetrical (falling highs, rising lows) forms of the newest four pivots.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class Triangle final : public SwingPattern<Triangle, 4> {
public:
    static std::expected<Triangle, IndicatorError> create();

    // The pattern's value on the newest 4 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
