#include "indicators/cores/rvi_volatility_core.hpp"

#include <cmath>

#include "indicators/bar.hpp"
#include "indicators/cores/rsi_core.hpp"

namespace torvex {

RviVolatilityCore::RviVolatilityCore(VarianceWindow window) : window_(std::move(window)), period_(window_.period()) {
    up_seed_.reserve(period_);
    down_seed_.reserve(period_);
}

std::expected<RviVolatilityCore, IndicatorError> RviVolatilityCore::create(std::uint64_t n) {
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    if (n == 1) return std::unexpected(IndicatorError::invalid_period("RVI period must be >= 2"));
    return RviVolatilityCore(std::move(*window));
}

std::optional<double> RviVolatilityCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    if (!window_.push(x)) {
        prev_close_ = x;
        return std::nullopt;
    }
    const double n = static_cast<double>(period_);
    const double sd = std::sqrt(window_.variance());
    // The window fills only after n accepted values, so a previous close exists.
    const double prev = *prev_close_;
    const double up = x > prev ? sd : 0.0;
    const double down = x < prev ? sd : 0.0;
    prev_close_ = x;
    if (up_avg_ && down_avg_) {
        up_avg_ = std::fma(*up_avg_, n - 1.0, up) / n;
        down_avg_ = std::fma(*down_avg_, n - 1.0, down) / n;
    } else {
        up_seed_.push_back(up);
        down_seed_.push_back(down);
        if (up_seed_.size() < period_) return std::nullopt;
        up_avg_ = seed_mean(up_seed_);
        down_avg_ = seed_mean(down_seed_);
    }
    const double answer = strength_share(*up_avg_, *down_avg_);
    last_ = answer;
    return answer;
}

}  // namespace torvex
