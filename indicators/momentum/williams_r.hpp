// Williams %R: where the close lies below the highest high of the last n bars, as
// a share of the n-bar range, from 0 (at the high) to -100 (at the low).
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class WilliamsR final : public CandleIndicator<WilliamsR> {
public:
    static constexpr bool kStepsOnFields = true;  // reads the prices, never the time
    // Z(n), M(n).
    static std::expected<WilliamsR, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(const Ohlcv& bar) {
        range_.push(bar.high, bar.low);
        if (!range_.full()) return std::nullopt;
        return percent(range_.highest(), range_.lowest(), bar.close);
    }
    std::uint64_t warmup() const override { return range_.period(); }

    // A run of valid candles: bar by bar while the window fills, then the rest at once
    // where the sliding extremes take it (a window of 5 to 4096 bars), else bar by bar.
    TORVEX_INLINE_LOOP void run_valid_fields(const FieldRows& rows, std::size_t count, double* __restrict out) {
        std::size_t r = 0;
        const auto bar = [&](std::size_t k) {
            return Ohlcv{0, rows.open[k], rows.high[k], rows.low[k], rows.close[k], rows.volume[k]};
        };
        for (; r < count && !range_.full(); ++r) out[r] = step(bar(r)).value_or(0.0);
        const double* const closes = rows.close + r;
        const auto answer = [closes](std::size_t k, double hh, double ll) { return percent(hh, ll, closes[k]); };
        if (range_.run(rows.high + r, rows.low + r, count - r, out + r, answer)) return;
        for (; r < count; ++r) out[r] = step(bar(r)).value_or(0.0);
    }

private:
    // -50 for a flat range. Both sides are formed and one picked, so that a loop over
    // many bars has no branch.
    static double percent(double hh, double ll, double close) {
        return pick(hh - ll == 0.0, -50.0, (hh - close) * -100.0 / (hh - ll));
    }

    // The highs and lows of accepted candles are finite.
    explicit WilliamsR(std::uint64_t n) : range_(n, ExtremeInputs::NeverNaN) {}
    SlidingExtremes range_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, WilliamsR);

}  // namespace torvex
