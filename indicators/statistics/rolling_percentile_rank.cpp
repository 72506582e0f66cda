#include "indicators/statistics/rolling_percentile_rank.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, RollingPercentileRank);

std::expected<RollingPercentileRank, IndicatorError> RollingPercentileRank::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return RollingPercentileRank(std::move(*window), n);
}

std::optional<double> RollingPercentileRank::step(double close) {
    window_.push(close);
    if (window_.size() < period_) return std::nullopt;
    const SortedWindow::Rank rank = window_.rank_of_newest();
    const std::size_t below = rank.below;
    const std::size_t equal = rank.not_above - below;  // the close itself included
    const double count = static_cast<double>(window_.size());
    return (static_cast<double>(equal) * 0.5 + static_cast<double>(below)) / count * 100.0;
}

}  // namespace torvex
