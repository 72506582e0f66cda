// Williams %R: where the close lies below the highest high of the last n bars, as
// a share of the n-bar range, from 0 (at the high) to -100 (at the low).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sliding_extremes.hpp"

namespace torvex {

class WilliamsR final : public CandleIndicator<WilliamsR> {
public:
    static constexpr bool kStepsOnFields = true;  // reads the prices, never the time
    // Z(n), M(n).
    static std::expected<WilliamsR, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(const Ohlcv& bar) {
        range_.push(bar.high, bar.low);
        if (!range_.full()) return std::nullopt;
        const double hh = range_.highest();
        const double ll = range_.lowest();
        if (hh - ll == 0.0) return -50.0;
        return (hh - bar.close) * -100.0 / (hh - ll);
    }
    std::uint64_t warmup() const override { return range_.period(); }

private:
    // The highs and lows of accepted candles are finite.
    explicit WilliamsR(std::uint64_t n) : range_(n, ExtremeInputs::NeverNaN) {}
    SlidingExtremes range_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, WilliamsR);

}  // namespace torvex
