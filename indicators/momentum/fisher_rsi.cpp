#include "indicators/momentum/fisher_rsi.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<FisherRsi, IndicatorError> FisherRsi::create(std::uint64_t n) {
    auto rsi = RsiCore::create(n);
    if (!rsi) return std::unexpected(rsi.error());
    return FisherRsi(std::move(*rsi));
}

std::optional<double> FisherRsi::step(double close) {
    const std::optional<double> rsi = rsi_.step(close);
    if (!rsi) return std::nullopt;
    // Held off ±1 so the logarithm stays finite (about ±3.8 at the bounds).
    const double v = std::clamp((*rsi - 50.0) / 50.0, -0.999, 0.999);
    return 0.5 * std::log((1.0 + v) / (1.0 - v));
}

}  // namespace torvex
