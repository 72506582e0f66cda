// Shark: the harmonic five-point pattern whose B overshoots A.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class Shark final : public SwingPattern<Shark, 5> {
public:
    static std::expected<Shark, IndicatorError> create();

    // The pattern's value on the newest 5 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
