#include "indicators/volume/rolling_vwap.hpp"

#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

std::expected<RollingVwap, IndicatorError> RollingVwap::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return RollingVwap(n);
}

std::optional<double> RollingVwap::step(const Ohlcv& bar) {
    price_volumes_.push(typical_price(bar) * bar.volume);
    volumes_.push(bar.volume);
    if (!volumes_.full() || volumes_.sum() == 0.0) return std::nullopt;
    return price_volumes_.sum() / volumes_.sum();
}

}  // namespace torvex
