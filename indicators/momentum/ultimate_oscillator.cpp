#include "indicators/momentum/ultimate_oscillator.hpp"

#include <algorithm>

namespace torvex {

std::expected<UltimateOscillator, IndicatorError> UltimateOscillator::create(std::uint64_t p1, std::uint64_t p2,
                                                                           std::uint64_t p3) {
    if (p1 == 0 || p2 == 0 || p3 == 0) return std::unexpected(IndicatorError::zero_period());
    for (std::uint64_t p : {p1, p2, p3}) {
        if (auto ok = check_max_period(p); !ok) return std::unexpected(ok.error());
    }
    return UltimateOscillator(p1, p2, p3, std::max(std::max(p1, p2), p3));
}

std::optional<double> UltimateOscillator::step(const Ohlcv& bar) {
    if (!prev_close_) {
        prev_close_ = bar.close;
        return std::nullopt;
    }
    const double true_low = std::min(bar.low, *prev_close_);
    const double true_high = std::max(bar.high, *prev_close_);
    prev_close_ = bar.close;
    const Pair pair{bar.close - true_low, true_high - true_low};
    history_.push(pair);
    const std::size_t len = history_.size();
    for (WindowSums& w : windows_) {
        w.pressure = w.pressure + pair.pressure;
        w.range = w.range + pair.range;
        if (len > w.period) {
            const Pair& gone = history_[len - 1 - w.period];
            w.pressure = w.pressure - gone.pressure;
            w.range = w.range - gone.range;
        }
        if (w.clock.tick(w.pressure, w.range)) {
            double p = 0.0;
            double r = 0.0;
            const std::size_t held = std::min<std::size_t>(len, w.period);
            for (std::size_t i = len - held; i < len; ++i) {
                p += history_[i].pressure;
                r += history_[i].range;
            }
            w.pressure = p;
            w.range = r;
        }
    }
    if (len > longest_) history_.pop_front();
    count_ += 1;
    if (count_ < longest_) return std::nullopt;
    std::array<double, 3> ratio{};
    for (std::size_t j = 0; j < 3; ++j) {
        ratio[j] = windows_[j].range == 0.0 ? 0.5 : windows_[j].pressure / windows_[j].range;
    }
    return ((ratio[1] * 2.0 + ratio[0] * 4.0) + ratio[2]) * 100.0 / 7.0;
}

}  // namespace torvex
