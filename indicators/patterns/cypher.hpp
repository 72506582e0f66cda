// Cypher: the harmonic five-point pattern measured by XC and CD against XC.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class Cypher final : public SwingPattern<Cypher, 5> {
public:
    static std::expected<Cypher, IndicatorError> create();

    // The pattern's value on the newest 5 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
