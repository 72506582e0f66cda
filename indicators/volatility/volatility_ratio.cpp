#include "indicators/volatility/volatility_ratio.hpp"

#include "indicators/cores/wilder_atr.hpp"

namespace torvex {

std::expected<VolatilityRatio, IndicatorError> VolatilityRatio::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VolatilityRatio(n);
}

std::optional<double> VolatilityRatio::step(const Ohlcv& bar) {
    if (!prev_close_) {
        prev_close_ = bar.close;
        return std::nullopt;
    }
    const double tr = true_range(bar, *prev_close_);
    prev_close_ = bar.close;
    if (ema_) {
        const double e = *ema_;
        const double ratio = e > 0.0 ? tr / e : 0.0;
        ema_ = tr * alpha_ + e * (1.0 - alpha_);
        last_ = ratio;
        return ratio;
    }
    seed_sum_ += tr;
    seed_count_ += 1;
    if (seed_count_ == period_) ema_ = seed_sum_ / static_cast<double>(seed_count_);
    return std::nullopt;
}

}  // namespace torvex
