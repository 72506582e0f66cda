#include "indicators/risk/trend_label.hpp"

namespace torvex {

std::expected<TrendLabel, IndicatorError> TrendLabel::create(std::uint64_t n) {
    if (auto ok = check_min_period(n, 2, "trend label needs period >= 2"); !ok) return std::unexpected(ok.error());
    return TrendLabel(n);
}

double TrendLabel::evaluate(const ValueRing& window) const {
    double total = -0.0;
    for (double v : window) total += v;
    const double mean = total / static_cast<double>(period());
    double s = 0.0;
    double i = 0.0;
    for (double v : window) {
        s = s + (i - mid_) * (v - mean);
        i += 1.0;
    }
    if (s > 0.0) return 1.0;
    if (s < 0.0) return -1.0;
    return 0.0;
}

}  // namespace torvex
