#include "indicators/trend/vertical_horizontal_filter.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, VerticalHorizontalFilter);

std::expected<VerticalHorizontalFilter, IndicatorError> VerticalHorizontalFilter::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VerticalHorizontalFilter(n);
}

std::optional<double> VerticalHorizontalFilter::step(double x) {
    prices_.push(x, x);
    if (prev_) {
        const double ch = std::fabs(x - *prev_);
        if (const auto old = push_capped(changes_, period_, ch)) change_sum_ = change_sum_ - *old;
        change_sum_ = change_sum_ + ch;
        if (clock_.tick(change_sum_)) {
            change_sum_ = window_sum(changes_, 0.0);
            settle_window(clock_, changes_, period_, change_sum_);
        }
    }
    prev_ = x;
    if (!prices_.full() || changes_.size() < period_) return std::nullopt;
    if (change_sum_ == 0.0) return 0.0;
    return (prices_.highest() - prices_.lowest()) / change_sum_;
}

}  // namespace torvex
