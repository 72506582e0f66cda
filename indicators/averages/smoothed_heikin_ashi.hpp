// Smoothed Heikin-Ashi candles: the Heikin-Ashi construction over exponential
// averages of the bar's open, high, low and close.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/averages/heikin_ashi.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class SmoothedHeikinAshi final : public MultiOutput<SmoothedHeikinAshi, 4> {
public:
    static constexpr std::array<std::string_view, 4> kOutputNames = HeikinAshi::kOutputNames;
    static constexpr InputGate kGate = InputGate::Candle;

    // period = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<SmoothedHeikinAshi, IndicatorError> create(std::uint64_t period);

    // All four averages step on every accepted bar and seed together on the
    // period-th.
    std::optional<std::array<double, 4>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        const std::optional<double> so = open_.step(bar.open);
        const std::optional<double> sh = high_.step(bar.high);
        const std::optional<double> sl = low_.step(bar.low);
        const std::optional<double> sc = close_.step(bar.close);
        if (!sc || !so || !sh || !sl) return std::nullopt;
        return candles_.next(*so, *sh, *sl, *sc);
    }
    std::uint64_t warmup() const override { return close_.period(); }

private:
    explicit SmoothedHeikinAshi(std::uint64_t period) : open_(period), high_(period), low_(period), close_(period) {}

    SeededEma open_;
    SeededEma high_;
    SeededEma low_;
    SeededEma close_;
    HeikinAshiCandles candles_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, SmoothedHeikinAshi, 4);

}  // namespace torvex
