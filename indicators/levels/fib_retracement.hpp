// Fibonacci retracement levels of the last leg, from the latest swing ("level_0")
// back to the one before it ("level_1000").
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <span>
#include <string_view>

#include "indicators/levels/swing_levels.hpp"

namespace torvex {

class FibRetracement final : public SwingLevels<FibRetracement, 7, 2, 2> {
public:
    static constexpr std::array<std::string_view, 7> kOutputNames{
        "level_0", "level_236", "level_382", "level_500",
        "level_618", "level_786", "level_1000"};
    static constexpr bool kMovesWithTime = false;

    static std::expected<FibRetracement, IndicatorError> create();

    static std::array<double, 7> levels(std::span<const Pivot> p, std::uint64_t now);
    // The levels retracing the leg from `a` (earlier) to `b` (later) back toward `a`.
    static std::array<double, 7> retracement(double a, double b);
    std::uint64_t warmup() const override { return 2; }
};

}  // namespace torvex
