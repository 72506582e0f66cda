#include "indicators/statistics/jarque_bera.hpp"

#include <cmath>

#include "indicators/cores/anchored_mean.hpp"
#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, JarqueBera);

std::expected<JarqueBera, IndicatorError> JarqueBera::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (n < 4) return std::unexpected(IndicatorError::invalid_period("Jarque-Bera needs period >= 4"));
    return JarqueBera(n);
}

std::optional<double> JarqueBera::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    const double n = static_cast<double>(period_);
    const AnchoredMean mean = anchored_mean(window_.begin(), window_.end(), window_.size());
    double m2 = 0.0;
    double m3 = 0.0;
    double m4 = 0.0;
    for (double v : window_) {
        const double d = mean.deviation(v);
        const double d2 = d * d;
        m2 += d2;
        m3 += d * d2;
        m4 += d2 * d2;
    }
    m2 = m2 / n;
    double jb = 0.0;
    if (m2 != 0.0) {
        const double s = (m3 / n) / (std::sqrt(m2) * m2);
        const double k = (m4 / n) / (m2 * m2) - 3.0;
        jb = (s * s + k * k * 0.25) * (n / 6.0);
    }
    last_ = jb;
    return jb;
}

}  // namespace torvex
