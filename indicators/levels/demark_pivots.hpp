// DeMark pivots of the bar just given: the bar's direction chooses which end of the
// range weighs twice.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

class DemarkPivots final : public MultiOutput<DemarkPivots, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"pp", "r1", "s1"};
    static constexpr InputGate kGate = InputGate::Candle;

    static std::expected<DemarkPivots, IndicatorError> create();

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const double h = ctx.candle.high, l = ctx.candle.low, c = ctx.candle.close;
        const double o = ctx.candle.open;
        double x;
        if (c < o) x = c + ((l + l) + h);
        else if (c > o) x = c + ((h + h) + l);
        else x = (c + c) + (h + l);
        return std::array<double, 3>{0.25 * x, 0.5 * x - l, 0.5 * x - h};
    }
    std::uint64_t warmup() const override { return 1; }
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, DemarkPivots, 3);

}  // namespace torvex
