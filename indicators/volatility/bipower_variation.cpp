#include "indicators/volatility/bipower_variation.hpp"

#include <cmath>

namespace torvex {

std::expected<BipowerVariation, IndicatorError> BipowerVariation::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (n == 1) return std::unexpected(IndicatorError::invalid_period("bipower variation period must be >= 2"));
    return BipowerVariation(n);
}

std::optional<double> BipowerVariation::step(double close) {
    const std::optional<double> r = returns_.push(close);
    if (!r) return std::nullopt;
    const bool adds_term = !window_.empty();
    if (adds_term) sum_ = sum_ + std::fabs(window_.back() * *r);
    window_.push_back(*r);
    if (window_.size() > period_) {
        sum_ = sum_ - std::fabs(window_[0] * window_[1]);
        window_.pop_front();
    }
    // The terms are never negative: the sum is its own magnitude. It is re-added every
    // `period` terms and as soon as it has fallen far below its recent size.
    if (adds_term && clock_.tick(sum_)) {
        double s = -0.0;
        for (std::size_t i = 0; i + 1 < window_.size(); ++i) s += std::fabs(window_[i] * window_[i + 1]);
        sum_ = s;
    }
    if (window_.size() < period_) return std::nullopt;
    return (sum_ > 0.0 ? sum_ : 0.0) * 1.5707963267948966;
}

}  // namespace torvex
