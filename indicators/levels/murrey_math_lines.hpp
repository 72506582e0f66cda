// Murrey math lines: the high-low range of the last n bars divided into eighths,
// from the highest high ("mm8_8") down to the lowest low ("mm0_8").
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/sliding_extremes.hpp"

namespace torvex {

class MurreyMathLines final : public MultiOutput<MurreyMathLines, 9> {
public:
    static constexpr std::array<std::string_view, 9> kOutputNames{
        "mm8_8", "mm7_8", "mm6_8", "mm5_8", "mm4_8", "mm3_8", "mm2_8", "mm1_8", "mm0_8"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Z(n), M(n).
    static std::expected<MurreyMathLines, IndicatorError> create(std::uint64_t n);

    std::optional<std::array<double, 9>> step(const BarContext& ctx) {
        range_.push(ctx.candle.high, ctx.candle.low);
        if (!range_.full()) return std::nullopt;
        const double ll = range_.lowest();
        const double step = (range_.highest() - ll) * 0.125;
        return std::array<double, 9>{8.0 * step + ll, 7.0 * step + ll, 6.0 * step + ll,
                                     5.0 * step + ll, 4.0 * step + ll, 3.0 * step + ll,
                                     (step + step) + ll, ll + step, 0.0 * step + ll};
    }
    std::uint64_t warmup() const override { return range_.period(); }

private:
    explicit MurreyMathLines(std::uint64_t n) : range_(n) {}
    SlidingExtremes range_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, MurreyMathLines, 9);

}  // namespace torvex
