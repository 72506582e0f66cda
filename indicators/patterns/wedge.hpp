// Wedge: highs and lows moving the same way at different rates; a rising wedge (lows
// climbing faster than highs) is bearish, a falling wedge bullish.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class Wedge final : public SwingPattern<Wedge, 4> {
public:
    static std::expected<Wedge, IndicatorError> create();

    // The pattern's value on the newest 4 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
