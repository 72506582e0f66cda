// Donchian stops: the lowest low of the last n bars as the long stop and the highest
// high as the short stop; the window includes the current bar.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class DonchianStop final : public MultiOutput<DonchianStop, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"stop_long", "stop_short"};
    static constexpr InputGate kGate = InputGate::Candle;

    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<DonchianStop, IndicatorError> create(std::uint64_t n);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        range_.push(ctx.candle.high, ctx.candle.low);
        if (!range_.full()) return std::nullopt;
        return std::array<double, 2>{range_.lowest(), range_.highest()};
    }
    std::uint64_t warmup() const override { return range_.period(); }

private:
    // The highs and lows of accepted candles are finite.
    explicit DonchianStop(std::uint64_t n) : range_(n, ExtremeInputs::NeverNaN) {}

    SlidingExtremes range_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, DonchianStop, 2);

}  // namespace torvex
