// Three drives: three drives of about equal length, each 1.13 to 1.75 times the
// retracement before it, with retracements of about equal length.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class ThreeDrives final : public SwingPattern<ThreeDrives, 7> {
public:
    static std::expected<ThreeDrives, IndicatorError> create();

    // The pattern's value on the newest 7 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
