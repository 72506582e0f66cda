#include "indicators/risk/regime_label.hpp"

#include <cmath>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, RegimeLabel);

std::expected<RegimeLabel, IndicatorError> RegimeLabel::create(std::uint64_t vol_period, std::uint64_t lookback) {
    if (auto ok = check_min_period(vol_period, 2, "regime label needs vol_period >= 2"); !ok) {
        return std::unexpected(ok.error());
    }
    if (auto ok = check_min_period(lookback, 2, "regime label needs lookback >= 2"); !ok) {
        return std::unexpected(ok.error());
    }
    auto returns = MultisetVariance::create(vol_period);
    if (!returns) return std::unexpected(returns.error());
    auto vols = SortedWindow::create(lookback);
    if (!vols) return std::unexpected(vols.error());
    return RegimeLabel(std::move(*returns), std::move(*vols));
}

std::optional<double> RegimeLabel::step(double close) {
    if (!(close > 0.0)) return std::nullopt;
    if (!prev_) {
        prev_ = close;
        return std::nullopt;
    }
    const double r = std::log(close / *prev_);
    prev_ = close;
    if (!returns_.push(r)) return std::nullopt;
    const double vol = std::sqrt(returns_.sample_variance());
    vols_.push(vol);
    if (!vols_.full()) return std::nullopt;
    if (vol < vols_.quantile(0.25)) return -1.0;
    if (vol > vols_.quantile(0.75)) return 1.0;
    return 0.0;
}

}  // namespace torvex
