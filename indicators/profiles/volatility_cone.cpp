#include "indicators/profiles/volatility_cone.hpp"

#include <algorithm>
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

    const std::span<const double> s = history_.sorted();
    const std::size_t m = s.size();
    const double median = (m % 2 == 1) ? s[m / 2] : midpoint(s[m / 2 - 1], s[m / 2]);
    // The history holds no NaN, so the values at or below `current` are the prefix
    // that ends at its upper bound.
    const auto at_or_below = std::upper_bound(s.begin(), s.end(), current) - s.begin();
    const double percentile = 100.0 * static_cast<double>(at_or_below) / static_cast<double>(m);
    last_ = std::array<double, 5>{current, s.front(), median, s.back(), percentile};
    return last_;
}

}  // namespace torvex
