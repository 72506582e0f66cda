#include "indicators/risk/calmar_ratio.hpp"

#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, CalmarRatio);

std::expected<CalmarRatio, IndicatorError> CalmarRatio::create(std::uint64_t n) {
    if (auto ok = check_min_period(n, 2, "calmar ratio needs period >= 2"); !ok) return std::unexpected(ok.error());
    return CalmarRatio(n);
}

std::optional<double> CalmarRatio::step(double close) {
    if (!window_.push(close)) return std::nullopt;
    double equity = 1.0;
    double peak = 1.0;
    double maxdd = 0.0;
    for (double r : window_.values()) {
        equity = equity * (r + 1.0);
        peak = max_num(equity, peak);
        maxdd = max_num((peak - equity) / peak, maxdd);
    }
    if (maxdd == 0.0) return 0.0;
    return (window_.sum() / static_cast<double>(window_.period())) / maxdd;
}

}  // namespace torvex
