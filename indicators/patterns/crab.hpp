// Crab: the harmonic five-point pattern with the deepest D extension of XA.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class Crab final : public SwingPattern<Crab, 5> {
public:
    static std::expected<Crab, IndicatorError> create();

    // The pattern's value on the newest 5 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
