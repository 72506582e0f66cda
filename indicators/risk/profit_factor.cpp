#include "indicators/risk/profit_factor.hpp"

namespace torvex {

std::expected<ProfitFactor, IndicatorError> ProfitFactor::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return ProfitFactor(n);
}

double ProfitFactor::evaluate(const ValueRing& window) const {
    double gains = 0.0;
    double losses = 0.0;
    for (double v : window) {
        if (v > 0.0) gains = gains + v;
        if (v < 0.0) losses = losses - v;
    }
    return gains_over_losses(gains, losses);
}

}  // namespace torvex
