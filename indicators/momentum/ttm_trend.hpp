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

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> avg = average_.step(midpoint(bar.high, bar.low));
        if (!avg) return std::nullopt;
        return bar.close > *avg ? 1.0 : -1.0;
    }
    std::uint64_t warmup() const override { return average_.period(); }

private:
    explicit TtmTrend(SmaCore average) : average_(std::move(average)) {}
    SmaCore average_;
};

}  // namespace torvex
