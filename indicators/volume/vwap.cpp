#include "indicators/volume/vwap.hpp"

#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

std::optional<double> Vwap::step(const Ohlcv& bar) {
    pv_sum_.add(typical_price(bar) * bar.volume);
    volume_sum_.add(bar.volume);
    const double volume = volume_sum_.value();
    if (volume == 0.0) return std::nullopt;
    return pv_sum_.value() / volume;
}

}  // namespace torvex
