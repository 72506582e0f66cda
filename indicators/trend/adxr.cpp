#include "indicators/trend/adxr.hpp"

#include <utility>

#include "indicators/numeric.hpp"

namespace torvex {

std::expected<Adxr, IndicatorError> Adxr::create(std::uint64_t n) {
    auto adx = AdxCore::create(n);
    if (!adx) return std::unexpected(adx.error());
    return Adxr(std::move(*adx), n);
}

std::optional<double> Adxr::step(const Ohlcv& bar) {
    const std::optional<AdxPoint> point = adx_.step(bar);
    if (!point) return std::nullopt;
    window_.push(point->adx);
    if (!window_.full()) return std::nullopt;
    last_ = midpoint(point->adx, window_.front());
    return last_;
}

}  // namespace torvex
