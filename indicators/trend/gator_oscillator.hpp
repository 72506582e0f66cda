// Gator oscillator: how far apart the alligator's lines are, the jaw–teeth gap
// above zero ("upper") and the teeth–lips gap below it ("lower").
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/trend/alligator.hpp"

namespace torvex {

class GatorOscillator final : public MultiOutput<GatorOscillator, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"upper", "lower"};
    static constexpr InputGate kGate = InputGate::Candle;

    // The alligator's checks.
    static std::expected<GatorOscillator, IndicatorError> create(std::uint64_t jaw, std::uint64_t teeth,
                                                                 std::uint64_t lips);

    // "lower" carries the sign bit even for a zero gap.
    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const std::optional<AlligatorPoint> p = lines_.step(ctx.candle);
        if (!p) return std::nullopt;
        return std::array<double, 2>{std::fabs(p->jaw - p->teeth), -std::fabs(p->teeth - p->lips)};
    }
    std::uint64_t warmup() const override { return lines_.warmup(); }

private:
    explicit GatorOscillator(AlligatorLines lines) : lines_(std::move(lines)) {}

    AlligatorLines lines_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, GatorOscillator, 2);

}  // namespace torvex
