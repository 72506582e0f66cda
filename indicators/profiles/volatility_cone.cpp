#include "indicators/profiles/volatility_cone.hpp"

#include <cmath>

#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, VolatilityCone, 5);

std::expected<VolatilityCone, IndicatorError> VolatilityCone::create(std::uint64_t window, std::uint64_t lookback) {
    if (window == 0 || lookback == 0) return std::unexpected(IndicatorError::zero_period());
    if (window < 2 || lookback < 2) {
        return std::unexpected(
            IndicatorError::invalid_period("volatility cone window and lookback must both be >= 2"));
    }
    // Both size a window, so both are bounded.
    auto returns = MultisetVariance::create(window);
    if (!returns) return std::unexpected(returns.error());
    auto history = SortedWindow::create(lookback);
    if (!history) return std::unexpected(history.error());
    return VolatilityCone(std::move(*returns), std::move(*history));
}

std::optional<std::array<double, 5>> VolatilityCone::step(const BarContext& ctx) {
    const double close = ctx.candle.close;
    if (!accepts_log_close(close)) return last_;
    const std::optional<double> r = log_return_.push(close);
    if (!r || !returns_.push(*r)) return std::nullopt;
    // The sample standard deviation of the returns held, whatever order they came in:
    // windows of equal returns measure equal, so the history's ties are exact ones.
    const double current = std::sqrt(returns_.sample_variance());
    history_.push(current);
    if (!history_.full()) return std::nullopt;

    // Ranks read from the sorted history where they lie, with no pass over it: the
    // cost of a bar does not grow with the lookback. The history holds no NaN, and
    // `current` is its newest value, so the values at or below it are counted from the
    // place it went in.
    const std::size_t m = history_.size();
    const double percentile =
        100.0 * static_cast<double>(history_.rank_of_newest().not_above) / static_cast<double>(m);
    last_ = std::array<double, 5>{current, history_.front(), history_.median(), history_.back(), percentile};
    return last_;
}

}  // namespace torvex
