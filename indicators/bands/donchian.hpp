// Donchian channel: the highest high and lowest low of the last n bars and their
// midpoint.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class Donchian final : public MultiOutput<Donchian, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Z(n), M(n).
    static std::expected<Donchian, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        range_.push(ctx.candle.high, ctx.candle.low);
        if (!range_.full()) return std::nullopt;
        const double hh = range_.highest();
        const double ll = range_.lowest();
        return std::array<double, 3>{hh, midpoint(hh, ll), ll};
    }
    std::uint64_t warmup() const override { return range_.period(); }

private:
    // The highs and lows of accepted candles are finite.
    explicit Donchian(std::uint64_t n) : range_(n, ExtremeInputs::NeverNaN) {}
    SlidingExtremes range_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Donchian, 3);

}  // namespace torvex
