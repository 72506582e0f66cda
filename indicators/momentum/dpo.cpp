#include "indicators/momentum/dpo.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

// The ring holds one close beyond the capacity for the moment between the append and
// the eviction.
Dpo::Dpo(std::uint64_t n)
    : window_(std::max(n, n / 2 + 2) + 1), period_(n), lag_(n / 2), capacity_(std::max(n, n / 2 + 2)), clock_(n, n) {}

std::expected<Dpo, IndicatorError> Dpo::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Dpo(n);
}

std::optional<double> Dpo::step(double close) {
    const bool outweighs = ResumClock::dwarfs(close, sum_);
    window_.push_back(close);
    sum_ = close + sum_;
    const std::size_t len = window_.size();
    // The close that has just left the last n.
    if (len > period_) sum_ -= window_[len - 1 - period_];
    if (len > capacity_) window_.pop_front();
    if (clock_.tick(outweighs)) {
        double s = -0.0;
        for (std::size_t i = window_.size() - period_; i < window_.size(); ++i) s += window_[i];
        sum_ = s;
    }
    if (window_.size() < capacity_) return std::nullopt;
    return window_[window_.size() - 1 - lag_] - sum_ / static_cast<double>(period_);
}

}  // namespace torvex
