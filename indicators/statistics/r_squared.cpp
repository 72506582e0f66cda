#include "indicators/statistics/r_squared.hpp"

#include <algorithm>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, RSquared);

std::expected<RSquared, IndicatorError> RSquared::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("R² needs period >= 2"));
    auto line = LinRegCore::create(n);
    if (!line) return std::unexpected(line.error());
    return RSquared(std::move(*line));
}

std::optional<double> RSquared::step(double close) {
    run_.push(close);
    if (!line_.advance(close)) return std::nullopt;
    if (run_.covers(line_.period())) return 1.0;
    const PositionSums& pos = line_.positions();
    const double sy = line_.sums().s1();
    const double mean_d = sy / pos.n;
    double ss_tot = line_.sums().s2() - mean_d * pos.n * mean_d;
    ss_tot = std::max(ss_tot, 0.0);
    if (!(ss_tot > 0.0)) return 1.0;
    const double slope = line_.slope();
    const double value = slope * slope * (pos.denom / pos.n) / ss_tot;
    return std::clamp(value, 0.0, 1.0);
}

}  // namespace torvex
