// Camarilla levels of the bar just given: four resistance and four support levels
// around the close, spaced by 1.1 times the range.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

class Camarilla final : public MultiOutput<Camarilla, 9> {
public:
    static constexpr std::array<std::string_view, 9> kOutputNames{
        "pp", "r1", "r2", "r3", "r4",
        "s1", "s2", "s3", "s4"};
    static constexpr InputGate kGate = InputGate::Candle;

    static std::expected<Camarilla, IndicatorError> create();

    std::optional<std::array<double, 9>> step(const BarContext& ctx) {
        const double h = ctx.candle.high, l = ctx.candle.low, c = ctx.candle.close;
        const double pp = ((l + h) + c) / 3.0;
        const double r = (h - l) * 1.1;
        return std::array<double, 9>{pp,           r / 12.0 + c, r / 6.0 + c, 0.25 * r + c, 0.5 * r + c,
                                     c - r / 12.0, c - r / 6.0, c - 0.25 * r, c - 0.5 * r};
    }
    std::uint64_t warmup() const override { return 1; }
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Camarilla, 9);

}  // namespace torvex
