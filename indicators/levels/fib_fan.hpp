// Fibonacci fan: lines from the earlier swing of the last leg through its 38.2%, 50%
// and 61.8% retracements at the time of the later swing, extended to the current bar.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <span>
#include <string_view>

#include "indicators/levels/swing_levels.hpp"

namespace torvex {

class FibFan final : public SwingLevels<FibFan, 3, 2, 2> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"fan_382", "fan_500", "fan_618"};
    static constexpr bool kMovesWithTime = true;

    static std::expected<FibFan, IndicatorError> create();

    static std::array<double, 3> levels(std::span<const Pivot> p, std::uint64_t now);
    std::uint64_t warmup() const override { return 2; }
};

}  // namespace torvex
