// Heikin-Ashi oscillator: the exponential average of the Heikin-Ashi body.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class HeikinAshiOscillator final : public CandleIndicator<HeikinAshiOscillator> {
public:
    // Z(n), M(n).
    static std::expected<HeikinAshiOscillator, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
        const double ha_open = has_prev_ ? midpoint(prev_open_, prev_close_) : midpoint(bar.open, bar.close);
        const double ha_close = (((bar.open + bar.high) + bar.low) + bar.close) * 0.25;
        // The pair moves on every valid bar, even when the body below is refused.
        has_prev_ = true;
        prev_open_ = ha_open;
        prev_close_ = ha_close;
        const double body = ha_close - ha_open;
        if (!is_finite(body)) return std::nullopt;
        return average_.step(body);
    }
    std::uint64_t warmup() const override { return average_.period(); }

private:
    explicit HeikinAshiOscillator(SeededEma average) : average_(average) {}

    bool has_prev_ = false;
    double prev_open_ = 0.0;
    double prev_close_ = 0.0;
    SeededEma average_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, HeikinAshiOscillator);

}  // namespace torvex
