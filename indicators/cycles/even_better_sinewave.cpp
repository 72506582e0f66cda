#include "indicators/cycles/even_better_sinewave.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, EvenBetterSinewave);

namespace {
// (1 − sin t)/cos t at t = 2π/duration: the high-pass's pole.
double pole(std::uint64_t duration) {
    const double t = 6.283185307179586 / static_cast<double>(duration);
    return (1.0 - std::sin(t)) / std::cos(t);
}
}  // namespace

EvenBetterSinewave::EvenBetterSinewave(std::uint64_t duration, std::uint64_t smoothing)
    : roofing_(static_cast<double>(smoothing), pole(duration), midpoint(pole(duration), 1.0)) {}

std::expected<EvenBetterSinewave, IndicatorError> EvenBetterSinewave::create(std::uint64_t duration,
                                                                             std::uint64_t smoothing) {
    if (duration == 0 || smoothing == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(smoothing); !ok) return std::unexpected(ok.error());
    return EvenBetterSinewave(duration, smoothing);
}

void EvenBetterSinewave::settle() {
    roofing_.with_held([&](auto*... held) { scale_.settle({held..., &f0_, &f1_, &f2_}); });
    careful_ = scale_.active() || roofing_.carrying();
}

void EvenBetterSinewave::stop_carrying() {
    roofing_.with_held([&](auto*... held) { scale_.release({held..., &f0_, &f1_, &f2_}); });
    roofing_.stop_carrying();
}

std::optional<double> EvenBetterSinewave::careful_answer() {
    const double h = roofing_.held_highpass();
    if (!std::isfinite(h)) return std::nullopt;
    const double power_now = (f0_ * f0_ + f1_ * f1_ + f2_ * f2_) / 3.0;
    if (!roofing_.carrying() && !scale_.active() && roofing_.smoother().ready() && power_now < h * h * kCancelPower) {
        roofing_.arm();
    }
    settle();
    const double wave = (f0_ + f1_ + f2_) / 3.0;
    const double power = (f0_ * f0_ + f1_ * f1_ + f2_ * f2_) / 3.0;
    if (!(power > 0.0)) return 0.0;
    return std::clamp(wave / std::sqrt(power), -1.0, 1.0);
}

std::optional<double> EvenBetterSinewave::careful_step(double close) {
    const bool carrying = roofing_.carrying();
    const std::optional<double> f = roofing_.step_held(
        close, [&](double& term, auto*... held) { scale_.enter({held..., &f0_, &f1_, &f2_}, {&term}); });
    if (f) {
        f2_ = f1_;
        f1_ = f0_;
        f0_ = *f;
        if (filled_ < 3) filled_ += 1;
    }
    // The plain sum keeps its digits again (or the high-pass is no longer finite).
    if (carrying && roofing_.sum_recovered(scale_.own(roofing_.held_sum()))) stop_carrying();
    if (!f || filled_ < 3) {
        settle();
        return std::nullopt;
    }
    return careful_answer();
}

}  // namespace torvex
