#include "indicators/risk/gain_loss_ratio.hpp"

namespace torvex {

std::expected<GainLossRatio, IndicatorError> GainLossRatio::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return GainLossRatio(n);
}

double GainLossRatio::evaluate(const ValueRing& window) const {
    double gain_sum = 0.0;
    double loss_sum = 0.0;
    std::uint64_t gains = 0;
    std::uint64_t losses = 0;
    for (double v : window) {
        if (v > 0.0) {
            gain_sum = gain_sum + v;
            gains += 1;
        } else if (v < 0.0) {
            loss_sum = loss_sum + (-v);
            losses += 1;
        }
    }
    if (losses == 0) return gains_over_losses(static_cast<double>(gains), 0.0);
    const double avg_gain = gains == 0 ? 0.0 : gain_sum / static_cast<double>(gains);
    return avg_gain / (loss_sum / static_cast<double>(losses));
}

}  // namespace torvex
