// WaveTrend: the distance of the typical price from its exponential average, in
// units of the average absolute distance, smoothed (wt1) and simply averaged (wt2).
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class WaveTrend final : public MultiOutput<WaveTrend, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"wt1", "wt2"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Zero tests on all three, then each against MAX_PERIOD.
    static std::expected<WaveTrend, IndicatorError> create(std::uint64_t channel, std::uint64_t average,
                                                           std::uint64_t signal);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        constexpr double kEpsilon = 2.220446049250313e-16;
        const Ohlcv& bar = ctx.candle;
        const double ap = ((bar.high + bar.low) + bar.close) / 3.0;
        if (!is_finite(ap)) return std::nullopt;
        const std::optional<double> esa = esa_.step(ap);
        if (!esa) return std::nullopt;
        const double d = ap - *esa;
        if (!is_finite(d)) return std::nullopt;
        const std::optional<double> de = deviation_.step(std::fabs(d));
        if (!de) return std::nullopt;
        // Below a few ulps of the price scale the deviation is rounding noise, not a
        // channel width: the index is 0 rather than a ratio of two noises.
        const double floor = std::fmax(std::fabs(*esa), 1.0) * 16.0 * kEpsilon;
        const double ci = *de > floor ? d / (*de * 0.015) : 0.0;
        if (!is_finite(ci)) return std::nullopt;
        const std::optional<double> wt1 = wt1_.step(ci);
        if (!wt1) return std::nullopt;
        const std::optional<double> wt2 = wt2_.step(*wt1);
        if (!wt2) return std::nullopt;
        return std::array<double, 2>{*wt1, *wt2};
    }
    std::uint64_t warmup() const override {
        return 2 * esa_.period() + wt1_.period() + wt2_.period() - 3;
    }

private:
    WaveTrend(std::uint64_t channel, std::uint64_t average, SmaCore signal)
        : esa_(channel), deviation_(channel), wt1_(average), wt2_(std::move(signal)) {}

    SeededEma esa_;        // of the typical price
    SeededEma deviation_;  // of its absolute distance from esa
    SeededEma wt1_;        // of the channel index
    SmaCore wt2_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, WaveTrend, 2);

}  // namespace torvex
