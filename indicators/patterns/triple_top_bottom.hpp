// Triple top or bottom: the three newest pivots of the newest pivot's side equal within 3%.
#pragma once

#include <expected>
#include <span>

#include "indicators/patterns/swing_pattern.hpp"

namespace torvex {

class TripleTopBottom final : public SwingPattern<TripleTopBottom, 5> {
public:
    static std::expected<TripleTopBottom, IndicatorError> create();

    // The pattern's value on the newest 5 pivots, oldest first.
    static double judge(std::span<const Pivot> p);
};

}  // namespace torvex
