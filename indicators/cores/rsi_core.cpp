#include "indicators/cores/rsi_core.hpp"

#include <cmath>

#include "indicators/bar.hpp"

namespace torvex {

double seed_mean(const std::vector<double>& seed) {
    double s = -0.0;
    for (double v : seed) s += v;
    return s / static_cast<double>(seed.size());
}

double strength_share(double up, double down) {
    const double total = up + down;
    return total == 0.0 ? 50.0 : (100.0 * up) / total;
}

RsiCore::RsiCore(std::uint64_t n)
    : period_(n), n_minus_1_(static_cast<double>(n - 1)), inv_n_(1.0 / static_cast<double>(n)) {
    gains_.reserve(n);
    losses_.reserve(n);
}

std::expected<RsiCore, IndicatorError> RsiCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return RsiCore(n);
}

std::optional<double> RsiCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    if (!has_prev_) {
        prev_ = x;
        has_prev_ = true;
        return std::nullopt;
    }
    const double d = x - prev_;
    prev_ = x;
    const double gain = d > 0.0 ? d : 0.0;
    const double loss = d < 0.0 ? -d : 0.0;
    if (seeded_) {
        avg_gain_ = std::fma(avg_gain_, n_minus_1_, gain) * inv_n_;
        avg_loss_ = std::fma(avg_loss_, n_minus_1_, loss) * inv_n_;
    } else {
        gains_.push_back(gain);
        losses_.push_back(loss);
        if (gains_.size() < period_) return std::nullopt;
        avg_gain_ = seed_mean(gains_);
        avg_loss_ = seed_mean(losses_);
        seeded_ = true;
    }
    const double answer = strength_share(avg_gain_, avg_loss_);
    last_ = answer;
    return answer;
}

}  // namespace torvex
