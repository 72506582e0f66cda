#include "indicators/statistics/median_absolute_deviation.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, MedianAbsoluteDeviation);

std::expected<MedianAbsoluteDeviation, IndicatorError> MedianAbsoluteDeviation::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return MedianAbsoluteDeviation(std::move(*window));
}

std::optional<double> MedianAbsoluteDeviation::step(double close) {
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    return window_.abs_deviation_median(window_.median());
}

}  // namespace torvex
