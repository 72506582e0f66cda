#include "indicators/cycles/universal_oscillator.hpp"

#include <cmath>

namespace torvex {

std::expected<UniversalOscillator, IndicatorError> UniversalOscillator::create(std::uint64_t band_edge) {
    if (auto ok = check_period(band_edge); !ok) return std::unexpected(ok.error());
    return UniversalOscillator(band_edge);
}

std::optional<double> UniversalOscillator::step(double close) {
    if (!close2_) {
        close2_ = close1_;
        close1_ = close;
        return std::nullopt;
    }
    const double w = (close - *close2_) * 0.5;
    close2_ = close1_;
    close1_ = close;
    if (!std::isfinite(w)) return last_;
    const double f = smoother_.step(w);
    const double peak = std::fmax(std::fabs(f), 0.991 * peak_);
    peak_ = std::isnan(peak) ? std::fabs(f) : peak;
    const double answer = peak_ <= 0.0 ? 0.0 : std::fmin(std::fmax(f / peak_, -1.0), 1.0);
    last_ = answer;
    return answer;
}

}  // namespace torvex
