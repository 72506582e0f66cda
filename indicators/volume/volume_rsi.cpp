#include "indicators/volume/volume_rsi.hpp"

namespace torvex {

std::expected<VolumeRsi, IndicatorError> VolumeRsi::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VolumeRsi(n);
}

std::optional<double> VolumeRsi::step(const Ohlcv& bar) {
    if (!prev_volume_) {
        prev_volume_ = bar.volume;
        return std::nullopt;
    }
    const double d = bar.volume - *prev_volume_;
    prev_volume_ = bar.volume;
    const double gain = d > 0.0 ? d : 0.0;
    const double loss = d < 0.0 ? -d : 0.0;
    if (avg_gain_ && avg_loss_) {
        avg_gain_ = (*avg_gain_ * n_minus_1_ + gain) / n_;
        avg_loss_ = (*avg_loss_ * n_minus_1_ + loss) / n_;
    } else {
        gain_seed_ += gain;
        loss_seed_ += loss;
        seed_count_ += 1;
        if (seed_count_ < period_) return std::nullopt;
        avg_gain_ = gain_seed_ / n_;
        avg_loss_ = loss_seed_ / n_;
    }
    const double total = *avg_gain_ + *avg_loss_;
    if (total == 0.0) return 50.0;
    return *avg_gain_ / total * 100.0;
}

}  // namespace torvex
