#include "indicators/risk/sterling_ratio.hpp"

namespace torvex {

std::expected<SterlingRatio, IndicatorError> SterlingRatio::create(std::uint64_t n) {
    if (auto ok = check_min_period(n, 2, "sterling ratio needs period >= 2"); !ok) {
        return std::unexpected(ok.error());
    }
    return SterlingRatio(n);
}

double SterlingRatio::evaluate(const ValueRing& window) const {
    double depth_sum = 0.0;
    std::uint64_t episodes = 0;
    const double sum = walk_drawdown_episodes(window, [&](double depth) {
        depth_sum = depth_sum + depth;
        episodes += 1;
    });
    if (episodes == 0) return 0.0;
    const double mean = sum / static_cast<double>(period());
    const double avg_dd = depth_sum / static_cast<double>(episodes);
    return avg_dd > 0.0 ? mean / avg_dd : 0.0;
}

}  // namespace torvex
