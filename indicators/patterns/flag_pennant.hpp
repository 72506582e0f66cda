// Flag or pennant: a pole between the two older pivots and a flag that retraces less
// than half of it; the direction is that of the pole.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class FlagPennant final : public SwingPattern<FlagPennant, 3> {
public:
    static std::expected<FlagPennant, IndicatorError> create();

    // The pattern's value on the newest 3 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
