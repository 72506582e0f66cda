// DeMark range projection: the next bar's expected high and low from the current bar
// alone, weighting the extreme in the direction the bar closed.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

class TdRangeProjection final : public MultiOutput<TdRangeProjection, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"high", "low"};
    static constexpr InputGate kGate = InputGate::Candle;

    static std::expected<TdRangeProjection, IndicatorError> create() { return TdRangeProjection(); }

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const Ohlcv& b = ctx.candle;
        double half;
        if (b.close < b.open) {
            half = (b.close + ((b.low + b.low) + b.high)) * 0.5;
        } else if (b.close > b.open) {
            half = (b.close + ((b.high + b.high) + b.low)) * 0.5;
        } else {
            half = ((b.close + b.close) + (b.high + b.low)) * 0.5;
        }
        return std::array<double, 2>{half - b.low, half - b.high};
    }
    std::uint64_t warmup() const override { return 1; }

private:
    TdRangeProjection() = default;
};

}  // namespace torvex
