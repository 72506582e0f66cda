#include "indicators/statistics/skewness.hpp"

#include <cmath>

namespace torvex {

std::expected<Skewness, IndicatorError> Skewness::create(std::uint64_t n) {
    if (n < 3) return std::unexpected(IndicatorError::invalid_period("skewness needs period >= 3"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return Skewness(n);
}

std::optional<double> Skewness::step(double close) {
    if (!window_.push(close)) return std::nullopt;
    if (window_.flat()) return 0.0;
    const RawMoments m = window_.moments();
    const double diff = m.m2 - m.m1 * m.m1;
    const double var = diff > 0.0 ? diff : 0.0;
    if (var == 0.0) return 0.0;
    const double mu3 = (m.m3 - (3.0 * m.m1) * m.m2) + ((2.0 * m.m1) * m.m1) * m.m1;
    return mu3 / (std::sqrt(var) * var);
}

}  // namespace torvex
