// Fibonacci projection: the older leg of the last three swings projected from the latest.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <span>
#include <string_view>

#include "indicators/levels/swing_levels.hpp"

namespace torvex {

class FibProjection final : public SwingLevels<FibProjection, 4, 3, 3> {
public:
    static constexpr std::array<std::string_view, 4> kOutputNames{
        "level_618", "level_1000",
        "level_1618", "level_2618"};
    static constexpr bool kMovesWithTime = false;

    static std::expected<FibProjection, IndicatorError> create();

    static std::array<double, 4> levels(std::span<const Pivot> p, std::uint64_t now);
    std::uint64_t warmup() const override { return 3; }
};

}  // namespace torvex
