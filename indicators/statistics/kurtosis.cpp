#include "indicators/statistics/kurtosis.hpp"

namespace torvex {

std::expected<Kurtosis, IndicatorError> Kurtosis::create(std::uint64_t n) {
    if (n < 4) return std::unexpected(IndicatorError::invalid_period("kurtosis needs period >= 4"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return Kurtosis(n);
}

std::optional<double> Kurtosis::step(double close) {
    if (!window_.push(close)) return std::nullopt;
    if (window_.flat()) return 0.0;
    const RawMoments m = window_.moments();
    const double m1sq = m.m1 * m.m1;
    const double diff = m.m2 - m1sq;
    const double var = diff > 0.0 ? diff : 0.0;
    if (var == 0.0) return 0.0;
    const double c4 = m.m4 - 4.0 * m.m1 * m.m3 + 6.0 * m1sq * m.m2 - 3.0 * (m1sq * m1sq);
    return c4 / (var * var) - 3.0;
}

}  // namespace torvex
