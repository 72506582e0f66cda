#include "indicators/momentum/rvi.hpp"

namespace torvex {

std::expected<Rvi, IndicatorError> Rvi::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Rvi(n);
}

std::optional<double> Rvi::step(const Ohlcv& bar) {
    recent_.push(BodyRange{bar.close - bar.open, bar.high - bar.low});
    if (!recent_.full()) return std::nullopt;
    const BodyRange& a0 = recent_[0];
    const BodyRange& a1 = recent_[1];
    const BodyRange& a2 = recent_[2];
    const BodyRange& a3 = recent_[3];
    smoothed_.push((a0.body + ((a1.body + a1.body) + ((a2.body + a2.body) + a3.body))) / 6.0,
                   (a0.range + ((a1.range + a1.range) + ((a2.range + a2.range) + a3.range))) / 6.0);
    if (!smoothed_.full()) return std::nullopt;
    const double range_sum = smoothed_.sum_b();
    if (!(range_sum > 0.0)) return last_;
    const double rvi = smoothed_.sum_a() / range_sum;
    last_ = rvi;
    return rvi;
}

}  // namespace torvex
