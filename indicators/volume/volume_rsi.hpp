// Relative strength of volume changes: Wilder averages of volume rises and falls.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/decay_scale.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class VolumeRsi final : public CandleIndicator<VolumeRsi> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<VolumeRsi, IndicatorError> create(std::uint64_t n);

    // Nothing on the first bar and until n changes are seen; then 100·G/(G + L), or
    // 50 when both averages are 0.
    std::optional<double> step(const Ohlcv& bar) {
        if (!prev_volume_) {
            prev_volume_ = bar.volume;
            return std::nullopt;
        }
        const double d = bar.volume - *prev_volume_;
        prev_volume_ = bar.volume;
        const double gain = d > 0.0 ? d : 0.0;
        const double loss = d < 0.0 ? -d : 0.0;
        if (avg_gain_ && avg_loss_) {
            if (scale_.active()) [[unlikely]] return careful_step(gain, loss);
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
        // Both 0, or a run of empty bars decaying both: the careful path tells them apart.
        if (total < DecayScale::kLow) [[unlikely]] return careful_share();
        return *avg_gain_ / total * 100.0;
    }
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit VolumeRsi(std::uint64_t n)
        : period_(n), n_(static_cast<double>(n)), n_minus_1_(static_cast<double>(n - 1)) {}

    // The averages scaled up by a power of two (no quotient changes), then the share;
    // 50 only when both are 0.
    [[gnu::noinline]] double careful_share();
    // A step while the averages are held scaled: the changes join them in their units.
    [[gnu::noinline]] double careful_step(double gain, double loss);

    std::optional<double> prev_volume_;
    std::optional<double> avg_gain_;
    std::optional<double> avg_loss_;
    DecayScale scale_;  // holds both averages through a long run of empty bars
    std::uint64_t period_;
    double n_;
    double n_minus_1_;
    double gain_seed_ = 0.0;
    double loss_seed_ = 0.0;
    std::uint64_t seed_count_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, VolumeRsi);

}  // namespace torvex
