#include "indicators/momentum/dpo.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

// The ring holds one close beyond the capacity for the moment between the append and
// the eviction.
Dpo::Dpo(std::uint64_t n)
    : window_(std::max(n, n / 2 + 2) + 1), period_(n), lag_(n / 2), capacity_(std::max(n, n / 2 + 2)), clock_(n) {}

std::expected<Dpo, IndicatorError> Dpo::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Dpo(n);
}

std::optional<double> Dpo::step(double close) {
    window_.push_back(close);
    sum_ = close + sum_;
    magnitude_ = std::fabs(close) + magnitude_;
    const std::size_t len = window_.size();
    // The close that has just left the last n.
    if (len > period_) {
        sum_ -= window_[len - 1 - period_];
        magnitude_ -= std::fabs(window_[len - 1 - period_]);
    }
    if (len > capacity_) window_.pop_front();
    // Closes may have either sign: the sum is watched through their magnitudes.
    if (clock_.tick(magnitude_)) {
        double s = -0.0;
        double m = 0.0;
        for (std::size_t i = window_.size() - std::min<std::size_t>(period_, window_.size()); i < window_.size(); ++i) {
            s += window_[i];
            m += std::fabs(window_[i]);
        }
        sum_ = s;
        magnitude_ = m;
    }
    if (window_.size() < capacity_) return std::nullopt;
    return window_[window_.size() - 1 - lag_] - sum_ / static_cast<double>(period_);
}

}  // namespace torvex
