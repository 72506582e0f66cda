// Fibonacci retracement levels of the largest of the recent legs (the latest one on a
// tie), from its later swing ("level_0") back to its earlier one ("level_1000").
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <span>
#include <string_view>

#include "indicators/levels/fib_retracement.hpp"
#include "indicators/levels/swing_levels.hpp"

namespace torvex {

class AutoFib final : public SwingLevels<AutoFib, 7, 6, 2> {
public:
    static constexpr std::array<std::string_view, 7> kOutputNames{
        "level_0", "level_236", "level_382", "level_500",
        "level_618", "level_786", "level_1000"};
    static constexpr bool kMovesWithTime = false;

    static std::expected<AutoFib, IndicatorError> create();

    static std::array<double, 7> levels(std::span<const Pivot> p, std::uint64_t now);
    std::uint64_t warmup() const override { return 2; }
};

}  // namespace torvex
