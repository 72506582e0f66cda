// Volume zone oscillator: the exponential average of volume signed by the close's
// direction, as a percentage of the exponential average of volume.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/seeded_ema.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class Vzo final : public CandleIndicator<Vzo> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<Vzo, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
        if (!prev_close_) {
            prev_close_ = bar.close;
            return std::nullopt;
        }
        const double signed_volume =
            bar.close > *prev_close_ ? bar.volume : (bar.close < *prev_close_ ? -bar.volume : 0.0);
        prev_close_ = bar.close;
        if (scale_.active()) [[unlikely]] return step_scaled(signed_volume, bar.volume);
        const std::optional<double> vp = position_.step(signed_volume);
        const std::optional<double> tv = total_.step(bar.volume);
        if (!vp || !tv) return std::nullopt;
        if (*tv < DecayScale::kLow) [[unlikely]] return scaled_answer();
        return *vp * 100.0 / *tv;
    }
    std::uint64_t warmup() const override { return position_.period() + 1; }

private:
    explicit Vzo(std::uint64_t n) : position_(n), total_(n) {}

    // A run of bars without volume decays both averages alike. Once the total falls
    // below DecayScale::kLow both are held times a power of two (the total leads: the
    // signed volume never exceeds the volume), and these steps take the bars.
    [[gnu::noinline]] std::optional<double> step_scaled(double signed_volume, double volume);
    [[gnu::noinline]] double scaled_answer();

    std::optional<double> prev_close_;
    SeededEma position_;
    SeededEma total_;
    DecayScale scale_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Vzo);

}  // namespace torvex
