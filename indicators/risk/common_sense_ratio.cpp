#include "indicators/risk/common_sense_ratio.hpp"

#include <cmath>

#include "indicators/risk/tail_ratio.hpp"
#include "indicators/risk/window_measures.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, CommonSenseRatio);

std::expected<CommonSenseRatio, IndicatorError> CommonSenseRatio::create(std::uint64_t n) {
    if (auto ok = check_min_period(n, 2, "common sense ratio needs period >= 2"); !ok) {
        return std::unexpected(ok.error());
    }
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return CommonSenseRatio(std::move(*window));
}

std::optional<double> CommonSenseRatio::step(double close) {
    // The sorted view is kept current on every push; it holds the same values the
    // window would be rebuilt from, so the quantiles are the same either way.
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    double gains = 0.0;
    double losses = 0.0;
    for (double r : window_.values()) {
        gains = gains + max_num(r, 0.0);
        losses = losses + max_num(-r, 0.0);
    }
    if (!(losses > 0.0)) return 0.0;
    const std::optional<double> tail = TailRatio::of(window_);
    if (!tail) return 0.0;
    return *tail * (gains / losses);
}

}  // namespace torvex
