#include "indicators/src/funding_rate_mean.hpp"

#include "indicators/src/rolling_window.hpp"

namespace torvex {

std::expected<FundingRateMean, IndicatorError> FundingRateMean::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return FundingRateMean(period);
}

std::optional<double> FundingRateMean::step(const DerivativesTick& tick) {
    const double x = tick.funding_rate;
    window_.push_back(x);
    sum_ += x;
    since_resum_ += 1;
    // The re-sum runs before the oldest value leaves, so it may add period + 1 values;
    // the subtraction below then takes the oldest out again. Re-adding every period
    // pushes bounds the drift, and lets a non-finite rate wash out of the sum once it
    // has left the window.
    if (since_resum_ >= period_) {
        sum_ = window_sum(window_, -0.0);
        since_resum_ = 0;
    }
    if (window_.size() > period_) {
        sum_ -= window_.front();
        window_.pop_front();
    }
    if (window_.size() < period_) return std::nullopt;
    return sum_ / static_cast<double>(period_);
}

}  // namespace torvex
