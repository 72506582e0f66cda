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
    if (!window_.empty()) {
        sum_ = sum_ + std::fabs(window_.back() * *r);
        since_resum_ += 1;
    }
    window_.push_back(*r);
    if (window_.size() > period_) {
        sum_ = sum_ - std::fabs(window_[0] * window_[1]);
        window_.pop_front();
        if (since_resum_ >= period_) {
            double s = -0.0;
            for (std::size_t i = 0; i + 1 < window_.size(); ++i) s += std::fabs(window_[i] * window_[i + 1]);
            sum_ = s;
            since_resum_ = 0;
        }
    }
    if (window_.size() < period_) return std::nullopt;
    return (sum_ > 0.0 ? sum_ : 0.0) * 1.5707963267948966;
}

}  // namespace torvex
