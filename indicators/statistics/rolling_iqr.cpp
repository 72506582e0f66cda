#include "indicators/statistics/rolling_iqr.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, RollingIqr);

std::expected<RollingIqr, IndicatorError> RollingIqr::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return RollingIqr(std::move(*window));
}

}  // namespace torvex
