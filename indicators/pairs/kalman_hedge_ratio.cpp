#include "indicators/pairs/kalman_hedge_ratio.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, KalmanHedgeRatio, 3);

std::expected<KalmanHedgeRatio, IndicatorError> KalmanHedgeRatio::create(double delta, double observation_var) {
    if (!is_finite(delta) || !(delta > 0.0) || delta >= 1.0)
        return std::unexpected(IndicatorError::invalid_parameter("kalman hedge ratio needs delta in (0, 1)"));
    if (!is_finite(observation_var) || !(observation_var > 0.0))
        return std::unexpected(IndicatorError::invalid_parameter("kalman hedge ratio needs observation_var > 0"));
    return KalmanHedgeRatio(delta, observation_var);
}

std::optional<std::array<double, 3>> KalmanHedgeRatio::step(const BarContext& ctx) {
    const std::optional<PairInput> p = pair_input(ctx, PairDomain::Finite);
    if (!p) return std::nullopt;
    const double x = p->b;
    const double y = p->a;
    // No process noise before the first observation.
    if (updates_ > 0) {
        p00_ += q_;
        p11_ += q_;
    }
    const double hp0 = x * p00_ + p10_;
    const double hp1 = x * p01_ + p11_;
    const double s = x * hp0 + hp1 + r_;
    const double k0 = (x * p00_ + p01_) / s;
    const double k1 = (x * p10_ + p11_) / s;
    const double e = y - (beta_ * x + alpha_);
    beta_ += k0 * e;
    alpha_ += k1 * e;
    p00_ -= k0 * hp0;
    p01_ -= k0 * hp1;
    p10_ -= k1 * hp0;
    p11_ -= k1 * hp1;
    updates_ += 1;
    return std::array<double, 3>{beta_, alpha_, e};
}

}  // namespace torvex
