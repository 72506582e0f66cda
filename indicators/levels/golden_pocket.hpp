// The golden pocket of the last leg: the zone between its 0.618 and 0.65 retracements.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <span>
#include <string_view>

#include "indicators/levels/swing_levels.hpp"

namespace torvex {

class GoldenPocket final : public SwingLevels<GoldenPocket, 3, 2, 2> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"low", "mid", "high"};
    static constexpr bool kMovesWithTime = false;

    static std::expected<GoldenPocket, IndicatorError> create();

    static std::array<double, 3> levels(std::span<const Pivot> p, std::uint64_t now);
    std::uint64_t warmup() const override { return 2; }
};

}  // namespace torvex
