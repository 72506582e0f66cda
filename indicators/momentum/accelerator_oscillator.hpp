// Accelerator oscillator: the awesome oscillator minus its own simple average.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"
#include "indicators/momentum/awesome_oscillator.hpp"

namespace torvex {

class AcceleratorOscillator final : public CandleIndicator<AcceleratorOscillator> {
public:
    // The awesome checks on fast and slow, then Z(signal), M(signal).
    static std::expected<AcceleratorOscillator, IndicatorError> create(std::uint64_t fast, std::uint64_t slow,
                                                                       std::uint64_t signal);

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> ao = awesome_.step(bar);
        if (!ao) return std::nullopt;
        const std::optional<double> sig = signal_.step(*ao);
        if (!sig) return std::nullopt;
        return *ao - *sig;
    }
    std::uint64_t warmup() const override { return awesome_.slow() + signal_.period() - 1; }

private:
    AcceleratorOscillator(AwesomeCore awesome, SmaCore signal)
        : awesome_(std::move(awesome)), signal_(std::move(signal)) {}

    AwesomeCore awesome_;
    SmaCore signal_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, AcceleratorOscillator);

}  // namespace torvex
