#include "indicators/trend/elder_safe_zone.hpp"

namespace torvex {

std::expected<ElderSafeZone, IndicatorError> ElderSafeZone::create(std::uint64_t n, double k) {
    auto down = PenetrationRing::create(n);
    if (!down) return std::unexpected(down.error());
    if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    auto up = PenetrationRing::create(n);
    if (!up) return std::unexpected(up.error());
    return ElderSafeZone(std::move(*down), std::move(*up), n, k);
}

std::optional<std::array<double, 2>> ElderSafeZone::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    if (!previous_) {
        previous_ = bar;
        return std::nullopt;
    }
    const double down = std::fmax(previous_->low - bar.low, 0.0);
    const double up = std::fmax(bar.high - previous_->high, 0.0);
    previous_ = bar;
    down_.push(down);
    up_.push(up);
    if (!down_.ring.full()) return std::nullopt;
    const double avg_down = down_.ring.average_positive();
    const double avg_up = up_.ring.average_positive();
    if (direction_ == 0.0) {
        direction_ = 1.0;
        stop_ = bar.low - multiplier_ * avg_down;
    } else if (direction_ > 0.0) {
        stop_ = std::fmax(stop_, bar.low - multiplier_ * avg_down);
        if (stop_ > bar.close) {
            direction_ = -1.0;
            stop_ = bar.high + multiplier_ * avg_up;
        }
    } else {
        stop_ = std::fmin(stop_, bar.high + multiplier_ * avg_up);
        if (bar.close > stop_) {
            direction_ = 1.0;
            stop_ = bar.low - multiplier_ * avg_down;
        }
    }
    return std::array<double, 2>{stop_, direction_};
}

}  // namespace torvex
