// Qstick: the n-bar simple average of the candle body, close - open.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"

namespace torvex {

class Qstick final : public CandleIndicator<Qstick> {
public:
    // Z(n), M(n).
    static std::expected<Qstick, IndicatorError> create(std::uint64_t n);

    // A body that overflows is refused by the average (no value, nothing changed).
    std::optional<double> step(const Ohlcv& bar) { return average_.step(bar.close - bar.open); }
    std::uint64_t warmup() const override { return average_.period(); }

private:
    explicit Qstick(SmaCore average) : average_(std::move(average)) {}
    SmaCore average_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Qstick);

}  // namespace torvex
