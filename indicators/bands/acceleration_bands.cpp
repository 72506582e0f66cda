#include "indicators/bands/acceleration_bands.hpp"

#include <cmath>

namespace torvex {

std::expected<AccelerationBands, IndicatorError> AccelerationBands::create(std::uint64_t n, double factor) {
    if (!(is_finite(factor) && factor > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    auto high = SmaCore::create(n);
    if (!high) return std::unexpected(high.error());
    auto close = SmaCore::create(n);
    auto low = SmaCore::create(n);
    return AccelerationBands(std::move(*high), std::move(*close), std::move(*low), factor);
}

std::optional<std::array<double, 3>> AccelerationBands::step(const BarContext& ctx) {
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

}  // namespace torvex
