// Twiggs money flow: Wilder-smoothed accumulation/distribution over true range,
// divided by the Wilder-smoothed volume.
#pragma once

#include <algorithm>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/decay_scale.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class TwiggsMoneyFlow final : public CandleIndicator<TwiggsMoneyFlow> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<TwiggsMoneyFlow, IndicatorError> create(std::uint64_t n);

    // Nothing on the first bar; both averages are seeded with the plain means of the
    // first n values; then A/B, or 0 while the smoothed volume is 0.
    std::optional<double> step(const Ohlcv& bar) {
        if (!prev_close_) {
            prev_close_ = bar.close;
            return std::nullopt;
        }
        const double true_high = std::max(bar.high, *prev_close_);
        const double true_low = std::min(bar.low, *prev_close_);
        const double true_range = true_high - true_low;
        // The multiplier first: |2c - th - tl| <= tr, so the rounded quotient stays
        // within [-1, 1] and the product within the volume (multiplying first rounds a
        // subnormal range's product coarsely, and the ratio left its range).
        const double adv =
            true_range > 0.0 ? ((bar.close + bar.close) - true_high - true_low) / true_range * bar.volume : 0.0;
        prev_close_ = bar.close;
        if (scale_.active()) [[unlikely]] return step_scaled(adv, bar.volume);
        if (smoothed_ad_ && smoothed_volume_) {
            smoothed_ad_ = *smoothed_ad_ + (adv - *smoothed_ad_) / n_;
            smoothed_volume_ = *smoothed_volume_ + (bar.volume - *smoothed_volume_) / n_;
        } else {
            ad_seed_ += adv;
            volume_seed_ += bar.volume;
            seed_count_ += 1;
            if (seed_count_ < period_) return std::nullopt;
            smoothed_ad_ = ad_seed_ / n_;
            smoothed_volume_ = volume_seed_ / n_;
        }
        if (*smoothed_volume_ < DecayScale::kLow) [[unlikely]] return scaled_answer();
        return flow();
    }
    std::uint64_t warmup() const override { return period_ + 1; }

private:
    explicit TwiggsMoneyFlow(std::uint64_t n) : period_(n), n_(static_cast<double>(n)) {}

    // Both averages are the same smoothing of adv and of the volume, and |adv| never
    // exceeds the volume, so the exact flow lies within [-1, 1]. After a bar whose
    // volume dwarfs the later ones, each average keeps a rounding of that bar's size
    // for a while, and their quotient can leave the range by that residue.
    double flow() const { return std::clamp(*smoothed_ad_ / *smoothed_volume_, -1.0, 1.0); }

    // A run of bars without volume decays both averages alike. Once the smoothed volume
    // falls below DecayScale::kLow both are held times a power of two (it leads the
    // pair), and these steps take the bars.
    [[gnu::noinline]] double step_scaled(double adv, double volume);
    [[gnu::noinline]] double scaled_answer();

    std::optional<double> prev_close_;
    std::optional<double> smoothed_ad_;
    std::optional<double> smoothed_volume_;
    std::uint64_t period_;
    double n_;
    double ad_seed_ = 0.0;
    double volume_seed_ = 0.0;
    std::uint64_t seed_count_ = 0;
    DecayScale scale_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TwiggsMoneyFlow);

}  // namespace torvex
