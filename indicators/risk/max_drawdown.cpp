#include "indicators/risk/max_drawdown.hpp"

#include <cmath>

namespace torvex {

std::expected<MaxDrawdown, IndicatorError> MaxDrawdown::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return MaxDrawdown(n);
}

double MaxDrawdown::evaluate(const ValueRing& window) const {
    double maxdd = 0.0;
    for_each_drop_from_peak(window, [&](double dd) { maxdd = max_num(maxdd, dd); });
    return maxdd;
}

}  // namespace torvex
