#include "indicators/volume/kvo.hpp"

#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Kvo);

std::expected<Kvo, IndicatorError> Kvo::create(std::uint64_t fast, std::uint64_t slow) {
    if (fast == 0 || slow == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow) return std::unexpected(IndicatorError::invalid_period("KVO needs fast < slow"));
    if (slow > MAX_PERIOD) return std::unexpected(IndicatorError::period_too_long());
    return Kvo(fast, slow);
}

std::optional<double> Kvo::step(const Ohlcv& bar) {
    const double hlc = bar.high + bar.low + bar.close;
    const double dm = bar.high - bar.low;
    if (!prev_dm_) {
        prev_dm_ = dm;
        prev_hlc_ = hlc;
        return std::nullopt;
    }
    const std::int8_t trend = hlc > prev_hlc_ ? 1 : (hlc < prev_hlc_ ? -1 : trend_);
    cm_ = ((trend == trend_ && trend_ != 0) ? cm_ : *prev_dm_) + dm;
    trend_ = trend;
    double force = 0.0;
    if (cm_ != 0.0) {
        double t = dm / cm_;
        t = t - 1.0;
        t = t + t;
        force = bar.volume * std::fabs(t);
        force = force * static_cast<double>(trend);
        force = force * 100.0;
    }
    prev_dm_ = dm;
    prev_hlc_ = hlc;
    if (!is_finite(force)) return std::nullopt;
    const std::optional<double> f = fast_.step(force);
    const std::optional<double> s = slow_.step(force);
    if (!f || !s) return std::nullopt;
    return *f - *s;
}

}  // namespace torvex
