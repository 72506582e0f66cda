#include "indicators/trend/kase_dev_stop.hpp"

namespace torvex {

std::expected<KaseDevStop, IndicatorError> KaseDevStop::create(std::uint64_t n, double k) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("Kase DevStop period must be >= 2"));
    auto ranges = VarianceWindow::create(n);
    if (!ranges) return std::unexpected(ranges.error());
    if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return KaseDevStop(std::move(*ranges), k);
}

std::optional<std::array<double, 2>> KaseDevStop::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    if (!previous_) {
        previous_ = bar;
        return std::nullopt;
    }
    const double range = std::fmax(bar.high, previous_->high) - std::fmin(bar.low, previous_->low);
    previous_ = bar;
    if (!ranges_.push(range)) return std::nullopt;
    const double distance = ranges_.mean() + multiplier_ * std::sqrt(ranges_.sample_variance());
    if (direction_ == 0.0) {
        direction_ = 1.0;
        extreme_ = bar.high;
        stop_ = bar.high - distance;
    } else if (direction_ > 0.0) {
        extreme_ = std::fmax(extreme_, bar.high);
        stop_ = std::fmax(stop_, extreme_ - distance);
        if (stop_ > bar.close) {
            direction_ = -1.0;
            extreme_ = bar.low;
            stop_ = bar.low + distance;
        }
    } else {
        extreme_ = std::fmin(extreme_, bar.low);
        stop_ = std::fmin(stop_, extreme_ + distance);
        if (bar.close > stop_) {
            direction_ = 1.0;
            extreme_ = bar.high;
            stop_ = bar.high - distance;
        }
    }
    return std::array<double, 2>{stop_, direction_};
}

}  // namespace torvex
