// Heikin-Ashi candles: each bar redrawn from the average of its four prices and the
// midpoint of the previous averaged candle's body.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

// The averaged candle built from four prices and the previous averaged candle.
class HeikinAshiCandles {
public:
    // open, high, low, close of the averaged candle; it becomes the previous one.
    std::array<double, 4> next(double open, double high, double low, double close);

private:
    std::optional<std::array<double, 4>> previous_;
};

class HeikinAshi final : public MultiOutput<HeikinAshi, 4> {
public:
    static constexpr std::array<std::string_view, 4> kOutputNames{"open", "high", "low", "close"};
    static constexpr InputGate kGate = InputGate::Candle;

    // No parameters; cannot fail.
    static std::expected<HeikinAshi, IndicatorError> create();

    // Every accepted bar answers.
    std::optional<std::array<double, 4>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        return candles_.next(bar.open, bar.high, bar.low, bar.close);
    }
    std::uint64_t warmup() const override { return 1; }

private:
    HeikinAshi() = default;

    HeikinAshiCandles candles_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, HeikinAshi, 4);

}  // namespace torvex
