#include "indicators/momentum/wave_trend.hpp"

#include <cmath>

namespace torvex {

std::expected<WaveTrend, IndicatorError> WaveTrend::create(std::uint64_t channel, std::uint64_t average,
                                                           std::uint64_t signal) {
    if (channel == 0 || average == 0 || signal == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(channel); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(average); !ok) return std::unexpected(ok.error());
    auto wt2 = SmaCore::create(signal);
    if (!wt2) return std::unexpected(wt2.error());
    return WaveTrend(channel, average, std::move(*wt2));
}

std::optional<std::array<double, 2>> WaveTrend::step(const BarContext& ctx) {
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

}  // namespace torvex
