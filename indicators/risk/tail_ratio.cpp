#include "indicators/risk/tail_ratio.hpp"

#include <cmath>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, TailRatio);

std::expected<TailRatio, IndicatorError> TailRatio::create(std::uint64_t n) {
    if (auto ok = check_min_period(n, 2, "tail ratio needs period >= 2"); !ok) return std::unexpected(ok.error());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return TailRatio(std::move(*window));
}

std::optional<double> TailRatio::of(const SortedWindow& window) {
    const double q95 = window.quantile(0.95);
    const double q05 = window.quantile(0.05);
    if (q05 == 0.0) return std::nullopt;
    return q95 / std::fabs(q05);
}

std::optional<double> TailRatio::step(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    return of(window_).value_or(0.0);
}

}  // namespace torvex
