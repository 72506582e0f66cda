#include "indicators/profiles/seasonal_z_score.hpp"

#include <cmath>

#include "indicators/cores/local_time.hpp"

namespace torvex {

std::optional<double> SeasonalZScore::step(const Ohlcv& bar) {
    if (!prev_close_) {
        prev_close_ = bar.close;
        return std::nullopt;
    }
    HourStats& h = hours_[hour_of_day(local_seconds(bar.ts, offset_))];
    const double r = *prev_close_ == 0.0 ? 0.0 : bar.close / *prev_close_ - 1.0;
    const std::uint64_t k = h.count;
    std::optional<double> z;
    if (k > 1) {
        const double variance = h.m2 / static_cast<double>(k - 1);
        z = variance > 0.0 ? (r - h.mean) / std::sqrt(variance) : 0.0;
    }
    h.count = k + 1;
    const double delta = r - h.mean;
    h.mean = h.mean + delta / static_cast<double>(k + 1);
    h.m2 = h.m2 + (r - h.mean) * delta;
    prev_close_ = bar.close;
    if (z) last_ = z;
    return z;
}

}  // namespace torvex
