// Fibonacci confluence: the price where the 0.382, 0.5 and 0.618 retracements of the
// recent legs cluster most densely (within 3%), and how many levels meet there.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <span>
#include <string_view>

#include "indicators/levels/swing_levels.hpp"

namespace torvex {

class FibConfluence final : public SwingLevels<FibConfluence, 2, 6, 3> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"price", "strength"};
    static constexpr bool kMovesWithTime = false;

    static std::expected<FibConfluence, IndicatorError> create();

    static std::array<double, 2> levels(std::span<const Pivot> p, std::uint64_t now);
    struct Near {
        std::uint64_t count;
        double sum;
    };
    // The levels within 3% of `target` (relative to the larger magnitude): their
    // count and their sum in list order.
    static Near levels_near(std::span<const double> levels, double target);
    std::uint64_t warmup() const override { return 3; }
};

}  // namespace torvex
