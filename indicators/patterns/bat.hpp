// Bat: the harmonic five-point pattern with a shallow B and D near 0.886 of XA.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class Bat final : public SwingPattern<Bat, 5> {
public:
    static std::expected<Bat, IndicatorError> create();

    // The pattern's value on the newest 5 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
