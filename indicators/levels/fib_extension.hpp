// Fibonacci extensions of the last leg, measured from its earlier swing and lying
// beyond the later one.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <span>
#include <string_view>

#include "indicators/levels/swing_levels.hpp"

namespace torvex {

class FibExtension final : public SwingLevels<FibExtension, 5, 2, 2> {
public:
    static constexpr std::array<std::string_view, 5> kOutputNames{
        "level_1272", "level_1414", "level_1618",
        "level_2000", "level_2618"};
    static constexpr bool kMovesWithTime = false;

    static std::expected<FibExtension, IndicatorError> create();

    static std::array<double, 5> levels(std::span<const Pivot> p, std::uint64_t now);
    std::uint64_t warmup() const override { return 2; }
};

}  // namespace torvex
