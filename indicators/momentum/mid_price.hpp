// Midpoint of the highest high and the lowest low of the last n bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class MidPrice final : public CandleIndicator<MidPrice> {
public:
    static constexpr bool kStepsOnFields = true;  // reads the prices, never the time
    // Z(n), M(n).
    static std::expected<MidPrice, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(const Ohlcv& bar) {
        range_.push(bar.high, bar.low);
        if (!range_.full()) return std::nullopt;
        return midpoint(range_.highest(), range_.lowest());
    }
    std::uint64_t warmup() const override { return range_.period(); }

private:
    // The highs and lows of accepted candles are finite.
    explicit MidPrice(std::uint64_t n) : range_(n, ExtremeInputs::NeverNaN) {}
    SlidingExtremes range_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, MidPrice);

}  // namespace torvex
