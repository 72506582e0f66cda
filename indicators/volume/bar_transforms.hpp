// Measures of one bar alone (no memory between bars), and the per-bar quantities that
// the volume indicators share: the typical price and the money-flow volume.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/cores/bar_prices.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

// Close-location value times volume: 0 for a bar without range, else
// ((close − low) − (high − close)) / range × volume.
inline double money_flow_volume(const Ohlcv& b) {
    const double range = b.high - b.low;
    if (range == 0.0) return 0.0;
    return ((b.close - b.low) - (b.high - b.close)) / range * b.volume;
}

namespace bar_formula {
inline std::optional<double> median_price(const Ohlcv& b);
inline void median_prices(const double* high, const double* low, std::size_t n, double* out);
}  // namespace bar_formula

// A single-output indicator that is a formula of the validated bar: no parameter,
// no state, an answer on every accepted bar unless the formula declines. It reads no
// time, so its column loop may take the bar's fields from their own columns.
template <std::optional<double> (*Formula)(const Ohlcv&)>
class BarTransform final : public CandleIndicator<BarTransform<Formula>> {
public:
    static constexpr bool kStepsOnFields = true;

    static std::expected<BarTransform, IndicatorError> create() { return BarTransform(); }

    std::optional<double> step(const Ohlcv& bar) const { return Formula(bar); }
    std::uint64_t warmup() const override { return 1; }

    // The median price of a run of valid candles at once (see median_prices).
    TORVEX_INLINE_LOOP void run_valid_fields(const typename CandleIndicator<BarTransform>::FieldRows& rows,
                                             std::size_t n, double* out) const
        requires(Formula == &bar_formula::median_price)
    {
        bar_formula::median_prices(rows.high, rows.low, n, out);
    }

private:
    BarTransform() = default;
};

// Inline: each is the whole step of its column loop. A guarded quotient is computed
// whatever its divisor and then kept or replaced by `pick`, with no branch, so that
// the column loop can take several bars at once; a quotient by zero is only ever
// discarded.
namespace bar_formula {

inline std::optional<double> wick_ratio(const Ohlcv& b) {
    const double r = b.high - b.low;
    const double upper = b.high - std::max(b.open, b.close);
    const double lower = std::min(b.open, b.close) - b.low;
    const double ratio = (upper - lower) / r;
    return pick(r == 0.0, 0.0, ratio);
}

inline std::optional<double> weighted_close(const Ohlcv& b) { return ((b.high + b.low) + (b.close + b.close)) * 0.25; }

inline std::optional<double> typical(const Ohlcv& b) { return typical_price(b); }

inline std::optional<double> median_price(const Ohlcv& b) { return midpoint(b.high, b.low); }

// midpoint(high[r], low[r]) for a run of finite pairs. Where the plain (high + low) ×
// 0.5 is finite it is midpoint's answer: the halved form differs from it only where the
// plain sum overflows (or where both values are so small that midpoint takes the plain
// form anyway). So the plain form alone runs, several bars at a time, and a run in
// which some sum overflowed is worked out again by midpoint.
TORVEX_INLINE_LOOP void median_prices(const double* __restrict high, const double* __restrict low, std::size_t n,
                                      double* __restrict out) {
    constexpr double kMax = std::numeric_limits<double>::max();
    std::uint64_t overflowed = 0;
    for (std::size_t r = 0; r < n; ++r) {
        const double m = (high[r] + low[r]) * 0.5;
        out[r] = m;
        overflowed |= static_cast<std::uint64_t>(!(std::fabs(m) <= kMax));
    }
    if (overflowed == 0) return;
    for (std::size_t r = 0; r < n; ++r) out[r] = midpoint(high[r], low[r]);
}

inline std::optional<double> avg_price(const Ohlcv& b) { return (((b.open + b.high) + b.low) + b.close) * 0.25; }

inline std::optional<double> high_low_range(const Ohlcv& b) {
    const double ratio = (b.high - b.low) / b.close;
    return pick(b.close == 0.0, 0.0, ratio);
}

inline std::optional<double> close_vs_open(const Ohlcv& b) {
    const double ratio = (b.close - b.open) / b.open;
    return pick(b.open == 0.0, 0.0, ratio);
}

inline std::optional<double> body_size_pct(const Ohlcv& b) {
    const double r = b.high - b.low;
    const double ratio = std::fabs(b.close - b.open) / r;
    return pick(r == 0.0, 0.0, ratio);
}

inline std::optional<double> balance_of_power(const Ohlcv& b) {
    const double r = b.high - b.low;
    const double ratio = (b.close - b.open) / r;
    return pick(r == 0.0, 0.0, ratio);
}

inline std::optional<double> intraday_intensity(const Ohlcv& b) {
    const double r = b.high - b.low;
    const double ratio = (b.volume * (((b.close + b.close) - b.high) - b.low)) / r;
    return pick(r > 0.0, ratio, 0.0);
}

inline std::optional<double> market_facilitation_index(const Ohlcv& b) {
    const double ratio = (b.high - b.low) / b.volume;
    if (b.volume == 0.0) return std::nullopt;
    return ratio;
}

}  // namespace bar_formula

// Upper shadow minus lower shadow as a fraction of the range; 0 without range.
using WickRatio = BarTransform<&bar_formula::wick_ratio>;
// ((high + low) + (close + close)) × 0.25.
using WeightedClose = BarTransform<&bar_formula::weighted_close>;
using TypicalPrice = BarTransform<&bar_formula::typical>;
// Overflow-safe midpoint of high and low.
using MedianPrice = BarTransform<&bar_formula::median_price>;
// (((open + high) + low) + close) × 0.25.
using AvgPrice = BarTransform<&bar_formula::avg_price>;
// (high − low) / close; 0 for a zero close.
using HighLowRange = BarTransform<&bar_formula::high_low_range>;
// (close − open) / open; 0 for a zero open.
using CloseVsOpen = BarTransform<&bar_formula::close_vs_open>;
// |close − open| / (high − low), a fraction; 0 without range.
using BodySizePct = BarTransform<&bar_formula::body_size_pct>;
// (close − open) / (high − low); 0 without range.
using BalanceOfPower = BarTransform<&bar_formula::balance_of_power>;
// volume × ((2·close − high) − low) / range; 0 without range.
using IntradayIntensity = BarTransform<&bar_formula::intraday_intensity>;
// (high − low) / volume; nothing for a bar without volume.
using MarketFacilitationIndex = BarTransform<&bar_formula::market_facilitation_index>;

}  // namespace torvex
