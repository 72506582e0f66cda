#include "indicators/averages/vidya.hpp"

#include <cmath>

namespace torvex {

std::expected<Vidya, IndicatorError> Vidya::create(std::uint64_t p, std::uint64_t q) {
    if (p == 0) return std::unexpected(IndicatorError::zero_period());
    auto cmo = CmoCore::create(q);
    if (!cmo) return std::unexpected(cmo.error());
    return Vidya(std::move(*cmo), 2.0 / (static_cast<double>(p) + 1.0));
}

std::optional<double> Vidya::step(double close) {
    const std::optional<double> cmo = cmo_.step(close);
    if (!cmo) return std::nullopt;
    const double k = (std::fabs(*cmo) / 100.0) * alpha_;
    const double base = value_.value_or(close);
    const double v = (1.0 - k) * base + close * k;
    value_ = v;
    return v;
}

}  // namespace torvex
