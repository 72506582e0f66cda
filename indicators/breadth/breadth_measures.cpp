#include "indicators/breadth/breadth_measures.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

// An empty panel answers 0 for the counts and ratios; the two percentages divide
// unguarded and answer NaN (0 / 0), as a share of no members is undefined.

double advance_decline_ratio(const CrossSection& panel) {
    const BreadthCounts c = count_breadth(panel);
    if (c.members == 0) return 0.0;
    return static_cast<double>(c.advances) / at_least_one(c.declines);
}

double absolute_breadth_index(const CrossSection& panel) {
    const BreadthCounts c = count_breadth(panel);
    return c.members == 0 ? 0.0 : std::fabs(net_advances(c));
}

double tick_index(const CrossSection& panel) {
    const BreadthCounts c = count_breadth(panel);
    return c.members == 0 ? 0.0 : net_advances(c);
}

double new_highs_new_lows(const CrossSection& panel) {
    const BreadthCounts c = count_breadth(panel);
    if (c.members == 0) return 0.0;
    return static_cast<double>(c.new_highs) - static_cast<double>(c.new_lows);
}

double percent_above_ma(const CrossSection& panel) {
    const BreadthCounts c = count_breadth(panel);
    return static_cast<double>(c.above_ma) * 100.0 / static_cast<double>(c.members);
}

double bullish_percent_index(const CrossSection& panel) {
    const BreadthCounts c = count_breadth(panel);
    return static_cast<double>(c.bullish) * 100.0 / static_cast<double>(c.members);
}

double up_down_volume_ratio(const CrossSection& panel) {
    const BreadthCounts c = count_breadth(panel);
    if (c.members == 0) return 0.0;
    return c.up_volume / std::max(c.down_volume, 1.0);
}

double trin(const CrossSection& panel) {
    const BreadthCounts c = count_breadth(panel);
    if (c.members == 0) return 0.0;
    const double ad_ratio = static_cast<double>(c.advances) / at_least_one(c.declines);
    return ad_ratio / (std::max(c.up_volume, 1.0) / std::max(c.down_volume, 1.0));
}

}  // namespace torvex
