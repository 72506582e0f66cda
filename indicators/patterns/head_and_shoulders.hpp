// Head and shoulders: a head beyond two equal shoulders over an equal neckline; a top
// formation is bearish, the inverse formation bullish.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class HeadAndShoulders final : public SwingPattern<HeadAndShoulders, 5> {
public:
    static std::expected<HeadAndShoulders, IndicatorError> create();

    // The pattern's value on the newest 5 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
