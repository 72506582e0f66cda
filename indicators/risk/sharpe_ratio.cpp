#include "indicators/risk/sharpe_ratio.hpp"

namespace torvex {

std::expected<SharpeRatio, IndicatorError> SharpeRatio::create(std::uint64_t n, double risk_free) {
    if (auto ok = check_min_period(n, 2, "sharpe ratio needs period >= 2"); !ok) return std::unexpected(ok.error());
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return SharpeRatio(std::move(*window), risk_free);
}

}  // namespace torvex
