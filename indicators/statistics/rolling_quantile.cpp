#include "indicators/statistics/rolling_quantile.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, RollingQuantile);

std::expected<RollingQuantile, IndicatorError> RollingQuantile::create(std::uint64_t n, double level) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!is_finite(level) || !(level >= 0.0 && level <= 1.0)) {
        return std::unexpected(IndicatorError::invalid_parameter("rolling quantile must be a finite value in [0.0, 1.0]"));
    }
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return RollingQuantile(std::move(*window), level);
}

}  // namespace torvex
