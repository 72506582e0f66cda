// TTM trend: +1 while the close lies above the n-bar simple average of the bar
// midpoint, -1 otherwise.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/flat_run.hpp"
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
        const double mid = midpoint(bar.high, bar.low);
        run_.push(mid);
        if (!average_.advance(mid)) return std::nullopt;
        // n equal midpoints average to their value, which sum / n may miss by a
        // rounding, putting a close equal to them above or below.
        const double avg = run_.covers(average_.period()) ? mid : average_.mean();
        return bar.close > avg ? 1.0 : -1.0;
    }
    std::uint64_t warmup() const override { return average_.period(); }

private:
    explicit TtmTrend(SmaCore average) : average_(std::move(average)) {}
    SmaCore average_;
    FlatRun run_;  // of the midpoints
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TtmTrend);

}  // namespace torvex
