#include "indicators/bands/vwap_std_dev_bands.hpp"

#include <cmath>

namespace torvex {

std::expected<VwapStdDevBands, IndicatorError> VwapStdDevBands::create(double k) {
    if (!is_finite(k) || !(k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return VwapStdDevBands(k);
}

std::optional<std::array<double, 4>> VwapStdDevBands::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    const double tp = (bar.high + bar.low + bar.close) / 3.0;
    const double v = bar.volume;
    if (!shift_set_) {
        shift_ = tp;
        shift_set_ = true;
    }
    // Every accepted bar is accumulated, also one whose volume leaves no value yet.
    const double d = tp - shift_;
    weighted_dev_ += v * d;
    weighted_dev_sq_ += v * (d * d);
    volume_ += v;
    if (volume_ == 0.0) return std::nullopt;

    const double m = weighted_dev_ / volume_;
    const double diff = weighted_dev_sq_ / volume_ - m * m;
    const double sd = std::sqrt(diff > 0.0 ? diff : 0.0);
    const double middle = shift_ + m;
    const double offset = k_ * sd;
    return std::array<double, 4>{middle + offset, middle, middle - offset, sd};
}

}  // namespace torvex
