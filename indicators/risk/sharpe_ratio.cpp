#include "indicators/risk/sharpe_ratio.hpp"

#include <cmath>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

std::expected<SharpeRatio, IndicatorError> SharpeRatio::create(std::uint64_t n, double risk_free) {
    if (auto ok = check_min_period(n, 2, "sharpe ratio needs period >= 2"); !ok) return std::unexpected(ok.error());
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return SharpeRatio(std::move(*window), risk_free);
}

std::optional<double> SharpeRatio::step(double close) {
    if (!window_.push(close)) return std::nullopt;
    const double var = window_.sample_variance();
    if (var == 0.0) return 0.0;
    return (window_.mean() - risk_free_) / std::sqrt(var);
}

}  // namespace torvex
