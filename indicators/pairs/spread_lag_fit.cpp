#include "indicators/pairs/spread_lag_fit.hpp"

#include "indicators/cores/pair_moments.hpp"
#include "indicators/cores/written_spread.hpp"

namespace torvex {

std::optional<double> lag_regression_slope(const CappedRing<double>& s, LagTarget target, double a, double b) {
    const auto level = [&](std::size_t i) { return s[i]; };
    const auto explained = [&](std::size_t i) { return target == LagTarget::Change ? s[i + 1] - s[i] : s[i + 1]; };
    const PairMoments m = two_pass_moments(s.size() - 1, level, explained);
    if (!(m.var_a > 0.0)) return std::nullopt;
    // Levels within 2 r of each other have a variance of at most 4 r^2.
    const double r = spread_rounding(a, b);
    if (!(m.var_a > 4.0 * r * r)) [[unlikely]]
        if (equal_as_written(s.size() - 1, level, a, b, 2.0)) return std::nullopt;
    return m.cov / m.var_a;
}

}  // namespace torvex
