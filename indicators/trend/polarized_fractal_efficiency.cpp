#include "indicators/trend/polarized_fractal_efficiency.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, PolarizedFractalEfficiency);

std::expected<PolarizedFractalEfficiency, IndicatorError> PolarizedFractalEfficiency::create(
    std::uint64_t n, std::uint64_t smoothing) {
    auto prices = LagWindow::create(n);
    if (!prices) return std::unexpected(prices.error());
    auto smoother = SeededEma::create(smoothing);
    if (!smoother) return std::unexpected(smoother.error());
    return PolarizedFractalEfficiency(std::move(*prices), std::move(*smoother));
}

std::optional<double> PolarizedFractalEfficiency::step(double close) {
    const std::uint64_t n = prices_.period();
    if (prev_) {
        const double d = close - *prev_;
        const double seg = std::sqrt(std::fma(d, d, 1.0));
        path_ = path_ + seg;
        if (const std::optional<double> old = push_capped(segments_, n, seg)) path_ = path_ - *old;
        if (clock_.tick(path_)) {
            double s = -0.0;
            segments_.for_each([&s](double v) { s += v; });
            path_ = s;
            settle_window(clock_, segments_, n, path_);
        }
    }
    prev_ = close;
    const std::optional<double> old_close = prices_.push(close);
    if (!old_close) return std::nullopt;

    const double diff = close - *old_close;
    const double factor = diff > 0.0 ? 100.0 : (diff < 0.0 ? -100.0 : 0.0);
    const double nf = static_cast<double>(n);
    const double raw = std::sqrt(std::fma(diff, diff, nf * nf)) * factor / path_;
    if (!is_finite(raw)) return std::nullopt;
    return smoother_.step(raw);
}

}  // namespace torvex
