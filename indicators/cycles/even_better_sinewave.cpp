#include "indicators/cycles/even_better_sinewave.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, EvenBetterSinewave);

EvenBetterSinewave::EvenBetterSinewave(std::uint64_t duration, std::uint64_t smoothing)
    : alpha1_((1.0 - std::sin(6.283185307179586 / static_cast<double>(duration))) /
              std::cos(6.283185307179586 / static_cast<double>(duration))),
      input_gain_(midpoint(alpha1_, 1.0)),
      smoother_(static_cast<double>(smoothing)) {}

std::expected<EvenBetterSinewave, IndicatorError> EvenBetterSinewave::create(std::uint64_t duration,
                                                                             std::uint64_t smoothing) {
    if (duration == 0 || smoothing == 0) return std::unexpected(IndicatorError::zero_period());
    if (auto ok = check_max_period(smoothing); !ok) return std::unexpected(ok.error());
    return EvenBetterSinewave(duration, smoothing);
}

void EvenBetterSinewave::settle() {
    SuperSmootherCore& s = smoother_;
    scale_.settle({&hp_, &s.held_input(), &s.held_out1(), &s.held_out2(), &f0_, &f1_, &f2_});
}

std::optional<double> EvenBetterSinewave::careful_answer() {
    settle();
    const double wave = (f0_ + f1_ + f2_) / 3.0;
    const double power = (f0_ * f0_ + f1_ * f1_ + f2_ * f2_) / 3.0;
    if (!(power > 0.0)) return 0.0;
    return std::clamp(wave / std::sqrt(power), -1.0, 1.0);
}

std::optional<double> EvenBetterSinewave::careful_step(double close) {
    SuperSmootherCore& s = smoother_;
    double term = prev_close_ ? (close - *prev_close_) * input_gain_ : 0.0;
    scale_.enter({&hp_, &s.held_input(), &s.held_out1(), &s.held_out2(), &f0_, &f1_, &f2_}, {&term});
    const double hp = prev_close_ ? alpha1_ * hp_ + term : 0.0;
    prev_close_ = close;
    hp_ = hp;
    if (!std::isfinite(hp)) {
        settle();
        return std::nullopt;
    }
    const double f = smoother_.step(hp);
    f2_ = f1_;
    f1_ = f0_;
    f0_ = f;
    if (filled_ < 3) filled_ += 1;
    if (filled_ < 3) {
        settle();
        return std::nullopt;
    }
    return careful_answer();
}

}  // namespace torvex
