#include "indicators/cycles/center_of_gravity.hpp"

#include <cmath>


namespace torvex {

std::expected<CenterOfGravity, IndicatorError> CenterOfGravity::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CenterOfGravity(n);
}

std::optional<double> CenterOfGravity::step(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    const std::span<const double> w = window_.view();
    double num = 0.0;
    double den = 0.0;
    double weight = 1.0;
    for (std::size_t i = w.size(); i-- > 0;) {
        num += weight * w[i];
        den += w[i];
        weight += 1.0;
    }
    if (!(std::fabs(den) > 2.220446049250313e-16)) return 0.0;
    return (static_cast<double>(period_) + 1.0) * 0.5 - num / den;
}

}  // namespace torvex
