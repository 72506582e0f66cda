#include "indicators/volume/volume_price_trend.hpp"

namespace torvex {

std::optional<double> VolumePriceTrend::step(const Ohlcv& bar) {
    if (prev_close_) {
        const double pc = *prev_close_;
        const double change = pc == 0.0 ? 0.0 : (bar.close - pc) / pc;
        total_.add(bar.volume * change);
    }
    prev_close_ = bar.close;
    return total_.value();
}

}  // namespace torvex
