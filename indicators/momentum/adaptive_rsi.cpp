#include "indicators/momentum/adaptive_rsi.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, AdaptiveRsi);

namespace {
// sc = ((2/3 - 2/31)·e + 2/31)²: between the constants of a 2-bar and a 30-bar EMA.
constexpr double kScSlope = 0.6021505376344085;
constexpr double kScFloor = 0.06451612903225806;
constexpr double kScFlat = 0.004162330905306971;  // (2/31)²
}  // namespace

std::expected<AdaptiveRsi, IndicatorError> AdaptiveRsi::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AdaptiveRsi(n);
}

std::optional<double> AdaptiveRsi::step(double x) {
    if (!prev_) {
        prev_ = x;
        prices_.push_back(x);
        return std::nullopt;
    }
    const double d = x - *prev_;
    prev_ = x;
    prices_.push(x);

    const double ad = std::fabs(d);
    if (const auto old = push_capped(changes_, period_, ad)) vol_sum_ = vol_sum_ - *old;
    vol_sum_ = ad + vol_sum_;
    if (clock_.tick(vol_sum_)) {
        vol_sum_ = window_sum(changes_, -0.0);
        settle_window(clock_, changes_, period_, vol_sum_);
    }

    const double gain = d > 0.0 ? d : 0.0;
    const double loss = d < 0.0 ? -d : 0.0;
    if (!seeded_) {
        seed_gain_ = seed_gain_ + gain;
        seed_loss_ = seed_loss_ + loss;
        seed_count_ += 1;
        if (seed_count_ < period_) return std::nullopt;
        const double n = static_cast<double>(period_);
        avg_gain_ = seed_gain_ / n;
        avg_loss_ = seed_loss_ / n;
        seeded_ = true;
    } else {
        double sc = kScFlat;
        if (vol_sum_ != 0.0) {
            const double e = std::clamp(std::fabs(x - prices_.front()) / vol_sum_, 0.0, 1.0);
            const double root = e * kScSlope + kScFloor;
            sc = root * root;
        }
        avg_gain_ = avg_gain_ + sc * (gain - avg_gain_);
        avg_loss_ = avg_loss_ + sc * (loss - avg_loss_);
    }
    const double total = avg_gain_ + avg_loss_;
    if (total == 0.0) return 50.0;
    return (avg_gain_ / total) * 100.0;
}

}  // namespace torvex
