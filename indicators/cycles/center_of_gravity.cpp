#include "indicators/cycles/center_of_gravity.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<CenterOfGravity, IndicatorError> CenterOfGravity::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CenterOfGravity(n);
}

std::optional<double> CenterOfGravity::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    double num = 0.0;
    double den = 0.0;
    double weight = 1.0;
    for (auto it = window_.rbegin(); it != window_.rend(); ++it) {
        num += weight * *it;
        den += *it;
        weight += 1.0;
    }
    if (!(std::fabs(den) > 2.220446049250313e-16)) return 0.0;
    return (static_cast<double>(period_) + 1.0) * 0.5 - num / den;
}

}  // namespace torvex
