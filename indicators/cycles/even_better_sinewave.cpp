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

}  // namespace torvex
