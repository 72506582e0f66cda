// Acceleration bands: simple averages of the high and the low widened by the bar's
// relative range, around the simple average of the close.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"

namespace torvex {

class AccelerationBands final : public MultiOutput<AccelerationBands, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::Candle;

    // K(factor), Z(n), M(n).
    static std::expected<AccelerationBands, IndicatorError> create(std::uint64_t n, double factor);

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const Ohlcv& bar = ctx.candle;
        const double s = bar.high + bar.low;
        const double r = (s != 0.0) ? (bar.high - bar.low) / s : 0.0;
        const double widened = bar.high * std::fma(factor_, r, 1.0);
        const double narrowed = bar.low * std::fma(-factor_, r, 1.0);
        // A widened line that overflows would be refused by its average alone and put
        // the three averages out of step: the whole bar is refused instead.
        if (!is_finite(widened) || !is_finite(narrowed)) return std::nullopt;
        const std::optional<double> upper = high_.step(widened);
        const std::optional<double> middle = close_.step(bar.close);
        const std::optional<double> lower = low_.step(narrowed);
        if (!upper || !middle || !lower) return std::nullopt;
        return std::array<double, 3>{*upper, *middle, *lower};
    }
    std::uint64_t warmup() const override { return close_.period(); }

private:
    AccelerationBands(SmaCore high, SmaCore close, SmaCore low, double factor)
        : high_(std::move(high)), close_(std::move(close)), low_(std::move(low)), factor_(factor) {}

    SmaCore high_;   // widened highs
    SmaCore close_;  // closes
    SmaCore low_;    // narrowed lows
    double factor_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, AccelerationBands, 3);

}  // namespace torvex
