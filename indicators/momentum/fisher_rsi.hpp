// Fisher transform of the RSI: the RSI rescaled to (-1, 1) and stretched by the
// inverse hyperbolic tangent, so that extremes stand out.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/rsi_core.hpp"

namespace torvex {

class FisherRsi final : public CloseIndicator<FisherRsi> {
public:
    static std::expected<FisherRsi, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        const std::optional<double> rsi = rsi_.step(close);
        if (!rsi) return std::nullopt;
        // Held off ±1 so the logarithm stays finite (about ±3.8 at the bounds).
        const double v = std::clamp((*rsi - 50.0) / 50.0, -0.999, 0.999);
        return 0.5 * std::log((1.0 + v) / (1.0 - v));
    }
    std::uint64_t warmup() const override { return rsi_.period() + 1; }

private:
    explicit FisherRsi(RsiCore rsi) : rsi_(std::move(rsi)) {}
    RsiCore rsi_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, FisherRsi);

}  // namespace torvex
