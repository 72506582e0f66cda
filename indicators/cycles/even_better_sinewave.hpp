// Ehlers' even better sinewave: the super-smoothed one-pole high-pass of the close,
// averaged over three bars and normalised by its root mean square, on [−1, 1].
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class EvenBetterSinewave final : public CloseIndicator<EvenBetterSinewave> {
public:
    // duration: the high-pass period; smoothing: the super smoother's length.
    static std::expected<EvenBetterSinewave, IndicatorError> create(std::uint64_t duration, std::uint64_t smoothing);

    std::optional<double> step(double close) {
        if (careful_) [[unlikely]] return careful_step(close);
        // A high-pass that is not finite stays so: careful_answer answers nothing.
        const double h = roofing_.highpass(close);
        const double f = roofing_.smoother().step(h);
        f2_ = f1_;
        f1_ = f0_;
        f0_ = f;
        if (filled_ < 3) filled_ += 1;
        if (filled_ < 3) return std::nullopt;
        const double wave = (f0_ + f1_ + f2_) / 3.0;
        const double power = (f0_ * f0_ + f1_ * f1_ + f2_ * f2_) / 3.0;
        // A run of repeated closes decays the filters' ringing by a constant factor a
        // bar; before it leaves the normal range its states are held scaled. A market
        // pinned between bid and ask decays the smoothed values alone, far below the
        // high-pass: the sum the smoother reads is then carried.
        if (!(std::max(h * h * kCancelPower, kLowPower) < power)) [[unlikely]] return careful_answer();
        return std::clamp(wave / std::sqrt(power), -1.0, 1.0);
    }
    std::uint64_t warmup() const override { return 3; }

private:
    EvenBetterSinewave(std::uint64_t duration, std::uint64_t smoothing);

    static constexpr double kLowPower = DecayScale::kLow * DecayScale::kLow;
    static constexpr double kCancelPower = RoofingCore::kCancel * RoofingCore::kCancel;

    // A bar while the states are held scaled or the sum is carried: the close's change
    // enters in their units.
    [[gnu::noinline]] std::optional<double> careful_step(double close);
    // Where the power is below kLow² or far below the high-pass's square: the states
    // are scaled up once all are below kLow, the core armed to carry its sum; the
    // answer is read from them, 0 for a power of exactly 0.
    [[gnu::noinline]] std::optional<double> careful_answer();
    // Settles the group on its largest state; `careful_` follows.
    void settle();
    // The group back in its own units and the sum no longer carried.
    void stop_carrying();

    RoofingCore roofing_;
    double f0_ = 0.0;
    double f1_ = 0.0;
    double f2_ = 0.0;
    int filled_ = 0;  // smoothed values so far, up to 3
    bool careful_ = false;  // scaled or carrying: the bars go to careful_step
    // The high-pass, the smoother's memory and the three smoothed values; while the sum
    // is carried, the sum, the smoother's outputs and the smoothed values.
    DecayScale scale_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, EvenBetterSinewave);

}  // namespace torvex
