#include "indicators/demark/td_lines.hpp"

#include <algorithm>

namespace torvex {

std::expected<TdLines, IndicatorError> TdLines::create(std::uint64_t lookback, std::uint64_t run_length) {
    if (lookback == 0 || run_length == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(lookback); !ok) return std::unexpected(ok.error());
    return TdLines(lookback, run_length);
}

std::optional<std::array<double, 2>> TdLines::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    const std::optional<double> ref = closes_.push(bar.close);
    if (!ref) return std::nullopt;
    const bool falling_was_empty = runs_.buy == 0;
    const bool rising_was_empty = runs_.sell == 0;
    runs_.step(bar.close, *ref, run_length_);
    if (bar.close < *ref) {
        run_high_ = falling_was_empty ? bar.high : std::max(run_high_, bar.high);
        run_low_ = kInf;
        // The capped count equals the cap exactly when the run has reached it.
        if (runs_.buy == run_length_) resistance_ = run_high_;
    } else if (bar.close > *ref) {
        run_low_ = rising_was_empty ? bar.low : std::min(run_low_, bar.low);
        run_high_ = -kInf;
        if (runs_.sell == run_length_) support_ = run_low_;
    } else {
        run_high_ = -kInf;
        run_low_ = kInf;
    }
    if (!resistance_ && !support_) return std::nullopt;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    return std::array<double, 2>{resistance_.value_or(kNaN), support_.value_or(kNaN)};
}

}  // namespace torvex
