#include "indicators/momentum/rsx.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<Rsx, IndicatorError> Rsx::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Rsx(n, 3.0 / (static_cast<double>(n) + 2.0));
}

double Rsx::Cascade::step(double x, double alpha, double beta) {
    s1 = alpha * x + beta * s1;
    s2 = beta * s2 + alpha * s1;
    s3 = alpha * (1.5 * s1 - 0.5 * s2) + beta * s3;
    s4 = beta * s4 + alpha * s3;
    s5 = alpha * (1.5 * s3 - 0.5 * s4) + beta * s5;
    s6 = beta * s6 + alpha * s5;
    return 1.5 * s5 - 0.5 * s6;
}

std::optional<double> Rsx::step(double close) {
    if (!prev_) {
        prev_ = close;
        return std::nullopt;
    }
    const double m = close - *prev_;
    const double u = std::fabs(m);
    prev_ = close;
    const double num = momentum_.step(m, alpha_, beta_);
    const double den = magnitude_.step(u, alpha_, beta_);
    const double raw = den > 0.0 ? (num / den + 1.0) * 50.0 : 50.0;
    const double value = std::min(100.0, std::max(0.0, raw));
    updates_ += 1;
    if (updates_ < period_) return std::nullopt;
    return value;
}

}  // namespace torvex
