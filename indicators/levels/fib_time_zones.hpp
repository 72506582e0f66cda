// Fibonacci time zones: whether the bars since the latest swing extreme fall on the
// sequence 1, 2, 3, 5, 8, ... ("on_zone") and how many bars remain to the next term.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <span>
#include <string_view>

#include "indicators/levels/swing_levels.hpp"

namespace torvex {

class FibTimeZones final : public SwingLevels<FibTimeZones, 2, 2, 1> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"on_zone", "bars_to_next"};
    static constexpr bool kMovesWithTime = true;

    static std::expected<FibTimeZones, IndicatorError> create();

    std::array<double, 2> levels(std::span<const Pivot> p, std::uint64_t now);
    std::uint64_t warmup() const override { return 2; }

private:
    bool walking_ = false;
    std::uint64_t anchor_ = 0;
    std::uint64_t term_ = 1;  // the largest term not above the elapsed count
    std::uint64_t next_ = 2;  // the term after it
};

}  // namespace torvex
