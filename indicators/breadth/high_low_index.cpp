#include "indicators/breadth/high_low_index.hpp"

namespace torvex {

std::expected<HighLowIndex, IndicatorError> HighLowIndex::create(std::uint64_t period) {
    auto average = SmaCore::create(period);  // 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod
    if (!average) return std::unexpected(average.error());
    return HighLowIndex(std::move(*average));
}

std::optional<double> HighLowIndex::step(const CrossSection& panel) {
    const BreadthCounts c = count_breadth(panel);
    return average_.step(static_cast<double>(c.new_highs) * 100.0 / at_least_one(c.new_highs + c.new_lows));
}

}  // namespace torvex
