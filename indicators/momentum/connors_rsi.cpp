#include "indicators/momentum/connors_rsi.hpp"

#include <algorithm>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, ConnorsRsi);

std::expected<ConnorsRsi, IndicatorError> ConnorsRsi::create(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    if (a == 0 || b == 0 || c == 0) return std::unexpected(IndicatorError::zero_period());
    auto price_rsi = RsiCore::create(a);
    if (!price_rsi) return std::unexpected(price_rsi.error());
    auto streak_rsi = RsiCore::create(b);
    if (!streak_rsi) return std::unexpected(streak_rsi.error());
    // c sizes the window of returns.
    auto returns = SortedWindow::create(c);
    if (!returns) return std::unexpected(returns.error());
    return ConnorsRsi(std::move(*price_rsi), std::move(*streak_rsi), std::move(*returns), c);
}

std::uint64_t ConnorsRsi::warmup() const {
    // The streak RSI starts one bar late: its first input is the second close.
    return std::max({price_rsi_.period() + 1, streak_rsi_.period() + 2, rank_len_ + 1});
}

std::optional<double> ConnorsRsi::step(double x) {
    const std::optional<double> r1 = price_rsi_.step(x);
    if (!prev_) {
        prev_ = x;
        return std::nullopt;
    }
    const double prev = *prev_;
    if (x > prev) streak_ = std::max(streak_, 0.0) + 1.0;
    else if (x < prev) streak_ = std::min(streak_, 0.0) - 1.0;
    else streak_ = 0.0;
    const std::optional<double> r2 = streak_rsi_.step(streak_);

    // A zero previous close has no return; the rank then reads the unchanged queue.
    if (prev != 0.0) returns_.push((x - prev) / prev);
    prev_ = x;

    if (returns_.size() < rank_len_) return std::nullopt;
    // Without a new return the queue, and so the rank, is as it was.
    const std::size_t below = returns_.rank_of_newest().below;
    const double p = (100.0 * static_cast<double>(below)) / static_cast<double>(rank_len_);
    if (!r1 || !r2) return std::nullopt;
    return ((*r1 + *r2) + p) / 3.0;
}

}  // namespace torvex
