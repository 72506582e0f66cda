// Aroon oscillator: Aroon up minus Aroon down over the last n + 1 bars, from −100
// (the lowest low is newest) to 100 (the highest high is newest).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/cores/aroon_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class AroonOscillator final : public CandleIndicator<AroonOscillator> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<AroonOscillator, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(const Ohlcv& bar) {
        const std::optional<AroonPair> aroon = window_.step(bar);
        if (!aroon) return std::nullopt;
        return aroon->up - aroon->down;
    }
    std::uint64_t warmup() const override { return window_.period() + 1; }

private:
    explicit AroonOscillator(AroonWindow window) : window_(std::move(window)) {}

    AroonWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, AroonOscillator);

}  // namespace torvex
