// Derivative oscillator: a doubly smoothed RSI minus its own simple average.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/rsi_core.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/cores/sma_core.hpp"

namespace torvex {

class DerivativeOscillator final : public CloseIndicator<DerivativeOscillator> {
public:
    static std::expected<DerivativeOscillator, IndicatorError> create(std::uint64_t rsi_period,
                                                                      std::uint64_t smooth1,
                                                                      std::uint64_t smooth2,
                                                                      std::uint64_t signal);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return warmup_; }

private:
    DerivativeOscillator(RsiCore rsi, std::uint64_t smooth1, std::uint64_t smooth2, SmaCore signal);

    RsiCore rsi_;
    SeededEma smooth1_;
    SeededEma smooth2_;
    SmaCore signal_;
    std::uint64_t warmup_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, DerivativeOscillator);

}  // namespace torvex
