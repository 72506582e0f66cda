// TTM trend: +1 while the close lies above the n-bar simple average of the bar
// midpoint, -1 otherwise.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class TtmTrend final : public CandleIndicator<TtmTrend> {
public:
    // Z(n), M(n).
    static std::expected<TtmTrend, IndicatorError> create(std::uint64_t n);

    // Always inlined: the column loop is instantiated in more than one translation
    // unit, and where the compiler calls the step the loop keeps its state in memory.
    [[gnu::always_inline]] std::optional<double> step(const Ohlcv& bar) {
        if (!average_.advance(midpoint(bar.high, bar.low))) return std::nullopt;
        return bar.close > average_.mean() ? 1.0 : -1.0;
    }
    std::uint64_t warmup() const override { return average_.period(); }

private:
    explicit TtmTrend(FlatExactSma average) : average_(std::move(average)) {}
    // n equal midpoints average to their value exactly, so a close equal to them
    // lies on neither side.
    FlatExactSma average_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TtmTrend);

}  // namespace torvex
