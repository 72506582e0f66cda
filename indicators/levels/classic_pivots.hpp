// Classic floor-trader pivots of the bar just given: the pivot and three resistance and
// three support levels.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

class ClassicPivots final : public MultiOutput<ClassicPivots, 7> {
public:
    static constexpr std::array<std::string_view, 7> kOutputNames{"pp", "r1", "r2", "r3", "s1", "s2", "s3"};
    static constexpr InputGate kGate = InputGate::Candle;

    static std::expected<ClassicPivots, IndicatorError> create();

    std::optional<std::array<double, 7>> step(const BarContext& ctx) {
        const double h = ctx.candle.high, l = ctx.candle.low, c = ctx.candle.close;
        const double pp = (c + (l + h)) / 3.0;
        return std::array<double, 7>{pp,           (pp + pp) - l, pp + (h - l), ((pp - l) + (pp - l)) + h,
                                     (pp + pp) - h, pp - (h - l), l - ((h - pp) + (h - pp))};
    }
    std::uint64_t warmup() const override { return 1; }
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, ClassicPivots, 7);

}  // namespace torvex
