#include "indicators/cores/adx_core.hpp"

#include <cmath>

#include "indicators/cores/rsi_core.hpp"

namespace torvex {

AdxCore::AdxCore(std::uint64_t n) : period_(n) { dx_seed_.reserve(n); }

std::expected<AdxCore, IndicatorError> AdxCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AdxCore(n);
}

std::optional<AdxPoint> AdxCore::step(const Ohlcv& bar) {
    if (!prev_) {
        prev_ = bar;
        return std::nullopt;
    }
    const Ohlcv p = *prev_;
    const double tr = std::fmax(std::fmax(bar.high - bar.low, std::fabs(bar.high - p.close)),
                                std::fabs(bar.low - p.close));
    const double up = bar.high - p.high;
    const double down = p.low - bar.low;
    const double plus_dm = (up > down && up > 0.0) ? up : 0.0;
    const double minus_dm = (down > up && down > 0.0) ? down : 0.0;
    prev_ = bar;

    const double n = static_cast<double>(period_);
    if (tr_s_ && plus_dm_s_ && minus_dm_s_) {
        tr_s_ = *tr_s_ - *tr_s_ / n + tr;
        plus_dm_s_ = *plus_dm_s_ - *plus_dm_s_ / n + plus_dm;
        minus_dm_s_ = *minus_dm_s_ - *minus_dm_s_ / n + minus_dm;
    } else {
        tr_sum_ += tr;
        plus_dm_sum_ += plus_dm;
        minus_dm_sum_ += minus_dm;
        seed_count_ += 1;
        if (seed_count_ < period_) return std::nullopt;
        tr_s_ = tr_sum_;
        plus_dm_s_ = plus_dm_sum_;
        minus_dm_s_ = minus_dm_sum_;
    }

    const double plus_di = *tr_s_ == 0.0 ? 0.0 : 100.0 * *plus_dm_s_ / *tr_s_;
    const double minus_di = *tr_s_ == 0.0 ? 0.0 : 100.0 * *minus_dm_s_ / *tr_s_;
    last_di_ = DiPair{plus_di, minus_di};
    const double di_sum = plus_di + minus_di;
    const double dx = di_sum == 0.0 ? 0.0 : 100.0 * std::fabs(plus_di - minus_di) / di_sum;

    if (adx_) {
        adx_ = ((n - 1.0) * *adx_ + dx) / n;
        return AdxPoint{plus_di, minus_di, *adx_};
    }
    dx_seed_.push_back(dx);
    if (dx_seed_.size() < period_) return std::nullopt;
    adx_ = seed_mean(dx_seed_);
    return AdxPoint{plus_di, minus_di, *adx_};
}

}  // namespace torvex
