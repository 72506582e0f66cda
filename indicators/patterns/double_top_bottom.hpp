// Double top or bottom: the two newest pivots of the newest pivot's side equal within 3%.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class DoubleTopBottom final : public SwingPattern<DoubleTopBottom, 3> {
public:
    static std::expected<DoubleTopBottom, IndicatorError> create();

    // The pattern's value on the newest 3 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
