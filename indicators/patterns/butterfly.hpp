// Butterfly: the harmonic five-point pattern whose D extends beyond X.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class Butterfly final : public SwingPattern<Butterfly, 5> {
public:
    static std::expected<Butterfly, IndicatorError> create();

    // The pattern's value on the newest 5 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
