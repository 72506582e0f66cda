#include "indicators/risk/sortino_ratio.hpp"

#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, SortinoRatio);

std::expected<SortinoRatio, IndicatorError> SortinoRatio::create(std::uint64_t n, double target) {
    if (auto ok = check_min_period(n, 2, "sortino ratio needs period >= 2"); !ok) return std::unexpected(ok.error());
    return SortinoRatio(n, target);
}

std::optional<double> SortinoRatio::step(double close) {
    if (!window_.push(close)) return std::nullopt;
    const double nf = static_cast<double>(window_.period());
    const double mean = window_.sum() / nf;
    double dd = 0.0;
    for (double v : window_.values()) {
        const double d = v - target_;
        if (d < 0.0) dd = d * d + dd;
    }
    dd = dd / nf;
    if (dd == 0.0) return 0.0;
    return (mean - target_) / std::sqrt(dd);
}

}  // namespace torvex
