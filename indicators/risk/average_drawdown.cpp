#include "indicators/risk/average_drawdown.hpp"

#include <limits>

namespace torvex {

std::expected<AverageDrawdown, IndicatorError> AverageDrawdown::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AverageDrawdown(n);
}

double AverageDrawdown::evaluate(const ValueRing& window) const {
    double peak = -std::numeric_limits<double>::infinity();
    double episode_peak = 0.0;
    double trough = 0.0;
    bool open = false;
    double depth_sum = 0.0;
    std::uint64_t counted = 0;
    const auto close_episode = [&] {
        if (episode_peak > 0.0) {
            depth_sum = depth_sum + (episode_peak - trough) / episode_peak;
            counted += 1;
        }
    };
    for (double v : window) {
        if (v >= peak) {
            if (open) close_episode();
            open = false;
            peak = v;
        } else if (!open) {
            open = true;
            episode_peak = peak;
            trough = v;
        } else if (v < trough) {
            trough = v;
        }
    }
    if (open) close_episode();
    if (counted == 0) return 0.0;
    return depth_sum / static_cast<double>(counted);
}

}  // namespace torvex
