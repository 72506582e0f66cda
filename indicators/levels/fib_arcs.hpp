// Fibonacci arcs around the latest swing: the 38.2%, 50% and 61.8% retracements of the
// last leg, shrinking toward the swing as a leg's duration passes.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <span>
#include <string_view>

#include "indicators/levels/swing_levels.hpp"

namespace torvex {

class FibArcs final : public SwingLevels<FibArcs, 3, 2, 2> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"arc_382", "arc_500", "arc_618"};
    static constexpr bool kMovesWithTime = true;

    static std::expected<FibArcs, IndicatorError> create();

    static std::array<double, 3> levels(std::span<const Pivot> p, std::uint64_t now);
    std::uint64_t warmup() const override { return 2; }
};

}  // namespace torvex
