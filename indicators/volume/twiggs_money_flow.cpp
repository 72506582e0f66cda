#include "indicators/volume/twiggs_money_flow.hpp"

#include <algorithm>

namespace torvex {

std::expected<TwiggsMoneyFlow, IndicatorError> TwiggsMoneyFlow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TwiggsMoneyFlow(n);
}

std::optional<double> TwiggsMoneyFlow::step(const Ohlcv& bar) {
    if (!prev_close_) {
        prev_close_ = bar.close;
        return std::nullopt;
    }
    const double true_high = std::max(bar.high, *prev_close_);
    const double true_low = std::min(bar.low, *prev_close_);
    const double true_range = true_high - true_low;
    const double adv =
        true_range > 0.0 ? ((bar.close + bar.close) - true_high - true_low) * bar.volume / true_range : 0.0;
    prev_close_ = bar.close;
    if (smoothed_ad_ && smoothed_volume_) {
        smoothed_ad_ = *smoothed_ad_ + (adv - *smoothed_ad_) / n_;
        smoothed_volume_ = *smoothed_volume_ + (bar.volume - *smoothed_volume_) / n_;
    } else {
        ad_seed_ += adv;
        volume_seed_ += bar.volume;
        seed_count_ += 1;
        if (seed_count_ < period_) return std::nullopt;
        smoothed_ad_ = ad_seed_ / n_;
        smoothed_volume_ = volume_seed_ / n_;
    }
    if (*smoothed_volume_ == 0.0) return 0.0;
    return *smoothed_ad_ / *smoothed_volume_;
}

}  // namespace torvex
