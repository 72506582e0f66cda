// Stochastic oscillator: where the close lies within the range of the last k bars
// (%K, 0 at the lowest low, 100 at the highest high), and its simple average (%D).
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Stochastic final : public MultiOutput<Stochastic, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"k", "d"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Zero tests on both, then d against MAX_PERIOD; k is bounded too (after d), as
    // its windows are reserved here.
    static std::expected<Stochastic, IndicatorError> create(std::uint64_t k_period, std::uint64_t d_period);

    [[gnu::always_inline]] std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        range_.push(bar.high, bar.low);
        if (!range_.full()) return std::nullopt;
        const double hh = range_.highest();
        const double ll = range_.lowest();
        const double range = hh - ll;
        const double k = range == 0.0 ? 50.0 : ((bar.close - ll) * 100.0) / range;
        const std::optional<double> d = d_average_.step(k);
        if (!d) return std::nullopt;
        return std::array<double, 2>{k, *d};
    }
    std::uint64_t warmup() const override { return range_.period() + d_average_.period() - 1; }

private:
    // The highs and lows of accepted candles are finite.
    Stochastic(std::uint64_t k_period, SmaCore d_average)
        : range_(k_period, ExtremeInputs::NeverNaN), d_average_(std::move(d_average)) {}

    // The extremes of the last k bars; among equal ones the newest, whose sign of zero
    // the %K formula sees.
    NewestExtremes range_;
    SmaCore d_average_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Stochastic, 2);

}  // namespace torvex
