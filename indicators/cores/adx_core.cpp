#include "indicators/cores/adx_core.hpp"

#include "indicators/cores/rsi_core.hpp"

namespace torvex {

AdxCore::AdxCore(std::uint64_t n) : dm_(n), period_(n) { dx_seed_.reserve(n); }

std::expected<AdxCore, IndicatorError> AdxCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AdxCore(n);
}

std::optional<AdxPoint> AdxCore::step(const Ohlcv& bar) {
    const std::optional<DirectionalSums> sums = dm_.step(bar);
    if (!sums) return std::nullopt;
    last_di_ = directional_indices(*sums);
    const double dx = directional_index(last_di_);

    if (adx_) {
        const double n = static_cast<double>(period_);
        adx_ = ((n - 1.0) * *adx_ + dx) / n;
        return AdxPoint{last_di_.plus_di, last_di_.minus_di, *adx_};
    }
    dx_seed_.push_back(dx);
    if (dx_seed_.size() < period_) return std::nullopt;
    adx_ = seed_mean(dx_seed_);
    return AdxPoint{last_di_.plus_di, last_di_.minus_di, *adx_};
}

}  // namespace torvex
