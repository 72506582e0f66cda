// Cup and handle: two equal rims around the cup's extreme, and a handle that stays
// between the cup's extreme and the right rim.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class CupAndHandle final : public SwingPattern<CupAndHandle, 4> {
public:
    static std::expected<CupAndHandle, IndicatorError> create();

    // The pattern's value on the newest 4 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
