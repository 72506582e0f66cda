#include "indicators/pairs/spread_lag_fit.hpp"

#include "indicators/cores/pair_moments.hpp"

namespace torvex {

std::optional<double> lag_regression_slope(const CappedRing<double>& s, LagTarget target) {
    const auto level = [&](std::size_t i) { return s[i]; };
    const auto explained = [&](std::size_t i) { return target == LagTarget::Change ? s[i + 1] - s[i] : s[i + 1]; };
    const PairMoments m = two_pass_moments(s.size() - 1, level, explained);
    if (!(m.var_a > 0.0)) return std::nullopt;
    return m.cov / m.var_a;
}

}  // namespace torvex
