// Woodie pivots of the bar just given: the close weighs twice in the pivot.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

class WoodiePivots final : public MultiOutput<WoodiePivots, 5> {
public:
    static constexpr std::array<std::string_view, 5> kOutputNames{"pp", "r1", "r2", "s1", "s2"};
    static constexpr InputGate kGate = InputGate::Candle;

    static std::expected<WoodiePivots, IndicatorError> create();

    std::optional<std::array<double, 5>> step(const BarContext& ctx) {
        const double h = ctx.candle.high, l = ctx.candle.low, c = ctx.candle.close;
        const double pp = ((c + c) + (l + h)) * 0.25;
        return std::array<double, 5>{pp, (pp + pp) - l, (h - l) + pp, (pp + pp) - h, pp - (h - l)};
    }
    std::uint64_t warmup() const override { return 1; }
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, WoodiePivots, 5);

}  // namespace torvex
