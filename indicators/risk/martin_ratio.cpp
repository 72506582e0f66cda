#include "indicators/risk/martin_ratio.hpp"

#include <cmath>

namespace torvex {

std::expected<MartinRatio, IndicatorError> MartinRatio::create(std::uint64_t n) {
    if (auto ok = check_min_period(n, 2, "martin ratio needs period >= 2"); !ok) return std::unexpected(ok.error());
    return MartinRatio(n);
}

double MartinRatio::evaluate(const ValueRing& window) const {
    double equity = 1.0;
    double peak = 1.0;
    double sum = 0.0;
    double ss = 0.0;
    for (double v : window) {
        sum = sum + v;
        equity = equity * (v + 1.0);
        peak = max_num(peak, equity);  // a NaN equity leaves the peak as it was
        const double dd = (peak - equity) * 100.0 / peak;
        ss = ss + dd * dd;
    }
    const double nf = static_cast<double>(period());
    const double u2 = ss / nf;
    if (!(u2 > 0.0)) return 0.0;
    return (sum / nf) / std::sqrt(u2);
}

}  // namespace torvex
