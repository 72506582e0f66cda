#include "indicators/risk/calmar_ratio.hpp"

#include <cmath>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

std::expected<CalmarRatio, IndicatorError> CalmarRatio::create(std::uint64_t n) {
    if (auto ok = check_min_period(n, 2, "calmar ratio needs period >= 2"); !ok) return std::unexpected(ok.error());
    auto window = SummedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return CalmarRatio(std::move(*window));
}

std::optional<double> CalmarRatio::step(double close) {
    if (window_.full()) window_.drop_oldest();
    window_.append(close);
    window_.count_update();
    if (!window_.full()) return std::nullopt;
    double equity = 1.0;
    double peak = 1.0;
    double maxdd = 0.0;
    for (double r : window_.values()) {
        equity = equity * (r + 1.0);
        peak = std::fmax(equity, peak);
        maxdd = std::fmax((peak - equity) / peak, maxdd);
    }
    if (maxdd == 0.0) return 0.0;
    return (window_.sum() / static_cast<double>(window_.period())) / maxdd;
}

}  // namespace torvex
