#include "indicators/cycles/laguerre_rsi.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<LaguerreRsi, IndicatorError> LaguerreRsi::create(double gamma) {
    if (!(std::isfinite(gamma) && gamma >= 0.0 && gamma <= 1.0)) {
        return std::unexpected(IndicatorError::invalid_period("LaguerreRSI gamma must be a finite value in [0, 1]"));
    }
    return LaguerreRsi(gamma);
}

std::optional<double> LaguerreRsi::step(double close) {
    if (!started_) {
        l0_ = l1_ = l2_ = l3_ = close;
        started_ = true;
        return 50.0;
    }
    const double g = gamma_;
    const double l0 = g * l0_ + one_minus_gamma_ * close;
    const double l1 = g * l1_ + l0_ - g * l0;
    const double l2 = g * l2_ + l1_ - g * l1;
    const double l3 = g * l3_ + l2_ - g * l2;
    l0_ = l0;
    l1_ = l1;
    l2_ = l2;
    l3_ = l3;
    double cu = 0.0;
    double cd = 0.0;
    const double stages[4] = {l0, l1, l2, l3};
    for (int k = 0; k < 3; ++k) {
        const double u = stages[k];
        const double w = stages[k + 1];
        if (u >= w) cu += u - w;
        if (u < w) cd += w - u;
    }
    if (!(cu + cd > 0.0)) return 50.0;
    return std::clamp(100.0 * cu / (cu + cd), 0.0, 100.0);
}

}  // namespace torvex
