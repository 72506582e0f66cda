#include "indicators/cores/bollinger_core.hpp"

#include <cmath>

#include "indicators/bar.hpp"

namespace torvex {

std::expected<BollingerCore, IndicatorError> BollingerCore::create(std::uint64_t n, double k) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return BollingerCore(std::move(*window), k);
}

std::optional<BandPoint> BollingerCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    if (!window_.push(x)) return std::nullopt;
    const double mean = window_.mean();
    const double sd = std::sqrt(window_.variance());
    return BandPoint{mean + k_ * sd, mean, mean - k_ * sd, sd};
}

}  // namespace torvex
