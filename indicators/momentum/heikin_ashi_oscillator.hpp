// Heikin-Ashi oscillator: the exponential average of the Heikin-Ashi body.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class HeikinAshiOscillator final : public CandleIndicator<HeikinAshiOscillator> {
public:
    // Z(n), M(n).
    static std::expected<HeikinAshiOscillator, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return average_.period(); }

private:
    explicit HeikinAshiOscillator(SeededEma average) : average_(average) {}

    bool has_prev_ = false;
    double prev_open_ = 0.0;
    double prev_close_ = 0.0;
    SeededEma average_;
};

}  // namespace torvex
