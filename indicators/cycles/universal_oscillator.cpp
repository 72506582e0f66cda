#include "indicators/cycles/universal_oscillator.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, UniversalOscillator);

std::expected<UniversalOscillator, IndicatorError> UniversalOscillator::create(std::uint64_t band_edge) {
    if (auto ok = check_period(band_edge); !ok) return std::unexpected(ok.error());
    return UniversalOscillator(band_edge);
}

double UniversalOscillator::careful_answer() {
    scale_.settle({&smoother_.held_input(), &smoother_.held_out1(), &smoother_.held_out2(), &peak_});
    if (peak_ <= 0.0) {
        last_ = 0.0;
        return 0.0;
    }
    return answer(smoother_.held_out1());  // the filter's output, held with the group
}

double UniversalOscillator::careful_step(double w) {
    scale_.enter({&smoother_.held_input(), &smoother_.held_out1(), &smoother_.held_out2(), &peak_}, {&w});
    const double f = smoother_.step(w);
    const double peak = std::fmax(std::fabs(f), 0.991 * peak_);
    peak_ = std::isnan(peak) ? std::fabs(f) : peak;
    return careful_answer();
}

}  // namespace torvex
