// Rectangle range: two equal tops and two equal bottoms (within 3%).
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class RectangleRange final : public SwingPattern<RectangleRange, 4> {
public:
    static std::expected<RectangleRange, IndicatorError> create();

    // The pattern's value on the newest 4 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
