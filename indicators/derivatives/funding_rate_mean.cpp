#include "indicators/derivatives/funding_rate_mean.hpp"

namespace torvex {

std::expected<FundingRateMean, IndicatorError> FundingRateMean::create(std::uint64_t period) {
    auto window = SummedWindow::create(period, period + 1);
    if (!window) return std::unexpected(window.error());
    return FundingRateMean(std::move(*window));
}

std::optional<double> FundingRateMean::step(const DerivativesTick& tick) {
    const double x = tick.funding_rate;
    window_.append(x);
    // The re-sum runs before the oldest value leaves, so it may add period + 1 values;
    // the subtraction below then takes the oldest out again. Re-adding every period
    // pushes bounds the drift, and lets a non-finite rate wash out of the sum once it
    // has left the window.
    window_.count_update();
    if (window_.size() > window_.period()) window_.drop_oldest();
    if (!window_.full()) return std::nullopt;
    return window_.sum() / static_cast<double>(window_.period());
}

}  // namespace torvex
