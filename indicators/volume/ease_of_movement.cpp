#include "indicators/volume/ease_of_movement.hpp"

#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, EaseOfMovement);

std::expected<EaseOfMovement, IndicatorError> EaseOfMovement::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return EaseOfMovement(n);
}

std::optional<double> EaseOfMovement::step(const Ohlcv& bar) {
    const double mid = midpoint(bar.high, bar.low);
    if (!prev_mid_) {
        prev_mid_ = mid;
        return std::nullopt;
    }
    const double ease =
        bar.volume == 0.0 ? 0.0 : (mid - *prev_mid_) * (bar.high - bar.low) * kVolumeScale / bar.volume;
    prev_mid_ = mid;
    values_.push(ease);
    if (!values_.full()) return std::nullopt;
    return values_.sum() / n_;
}

}  // namespace torvex
