// Fibonacci channel: a base line through the first and third of the last three swings
// and parallels at 0.618, 1 and 1.618 times the middle swing's distance from it.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <span>
#include <string_view>

#include "indicators/levels/swing_levels.hpp"

namespace torvex {

class FibChannel final : public SwingLevels<FibChannel, 4, 3, 3> {
public:
    static constexpr std::array<std::string_view, 4> kOutputNames{"base", "level_618", "level_1000", "level_1618"};
    static constexpr bool kMovesWithTime = true;

    static std::expected<FibChannel, IndicatorError> create();

    static std::array<double, 4> levels(std::span<const Pivot> p, std::uint64_t now);
    std::uint64_t warmup() const override { return 3; }
};

}  // namespace torvex
