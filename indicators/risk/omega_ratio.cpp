#include "indicators/risk/omega_ratio.hpp"

namespace torvex {

std::expected<OmegaRatio, IndicatorError> OmegaRatio::create(std::uint64_t n, double threshold) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return OmegaRatio(n, threshold);
}

double OmegaRatio::evaluate(const ValueRing& window) const {
    double gains = 0.0;
    double losses = 0.0;
    for (double v : window) {
        const double d = v - threshold_;
        if (d >= 0.0) gains = gains + d;
        else if (d < 0.0) losses = losses - d;
    }
    return gains_over_losses(gains, losses);
}

}  // namespace torvex
