#include "indicators/risk/kelly_criterion.hpp"

namespace torvex {

std::expected<KellyCriterion, IndicatorError> KellyCriterion::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return KellyCriterion(n);
}

double KellyCriterion::evaluate(const ValueRing& window) const {
    double win_sum = 0.0;
    double loss_sum = 0.0;
    std::uint64_t wins = 0;
    std::uint64_t losses = 0;
    for (double v : window) {
        if (v > 0.0) {
            win_sum = win_sum + v;
            wins += 1;
        } else if (v < 0.0) {
            loss_sum = loss_sum + (-v);
            losses += 1;
        }
    }
    const double w = static_cast<double>(wins) / static_cast<double>(period());
    if (losses == 0) return w;
    if (wins == 0) return -1.0;
    const double r = (win_sum / static_cast<double>(wins)) / (loss_sum / static_cast<double>(losses));
    return w - (1.0 - w) / r;
}

}  // namespace torvex
