#include "indicators/volume/bar_transforms.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/numeric.hpp"

namespace torvex::bar_formula {

std::optional<double> wick_ratio(const Ohlcv& b) {
    const double r = b.high - b.low;
    if (r == 0.0) return 0.0;
    const double upper = b.high - std::max(b.open, b.close);
    const double lower = std::min(b.open, b.close) - b.low;
    return (upper - lower) / r;
}

std::optional<double> weighted_close(const Ohlcv& b) { return ((b.high + b.low) + (b.close + b.close)) * 0.25; }

std::optional<double> typical(const Ohlcv& b) { return typical_price(b); }

std::optional<double> median_price(const Ohlcv& b) { return midpoint(b.high, b.low); }

std::optional<double> avg_price(const Ohlcv& b) { return (((b.open + b.high) + b.low) + b.close) * 0.25; }

std::optional<double> high_low_range(const Ohlcv& b) {
    if (b.close == 0.0) return 0.0;
    return (b.high - b.low) / b.close;
}

std::optional<double> close_vs_open(const Ohlcv& b) {
    if (b.open == 0.0) return 0.0;
    return (b.close - b.open) / b.open;
}

std::optional<double> body_size_pct(const Ohlcv& b) {
    const double r = b.high - b.low;
    if (r == 0.0) return 0.0;
    return std::fabs(b.close - b.open) / r;
}

std::optional<double> balance_of_power(const Ohlcv& b) {
    const double r = b.high - b.low;
    if (r == 0.0) return 0.0;
    return (b.close - b.open) / r;
}

std::optional<double> intraday_intensity(const Ohlcv& b) {
    const double r = b.high - b.low;
    if (!(r > 0.0)) return 0.0;
    return (b.volume * (((b.close + b.close) - b.high) - b.low)) / r;
}

std::optional<double> market_facilitation_index(const Ohlcv& b) {
    if (b.volume == 0.0) return std::nullopt;
    return (b.high - b.low) / b.volume;
}

}  // namespace torvex::bar_formula
