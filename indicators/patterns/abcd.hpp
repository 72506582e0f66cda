// AB=CD: two equal legs (within 10%) around a partial retracement.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class Abcd final : public SwingPattern<Abcd, 4> {
public:
    static std::expected<Abcd, IndicatorError> create();

    // The pattern's value on the newest 4 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
