#include "indicators/cores/adx_core.hpp"

#include "indicators/cores/rsi_core.hpp"

namespace torvex {

AdxCore::AdxCore(std::uint64_t n) : dm_(n), n_(static_cast<double>(n)), period_(n) { dx_seed_.reserve(n); }

std::expected<AdxCore, IndicatorError> AdxCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AdxCore(n);
}

std::optional<AdxPoint> AdxCore::seed(double dx) {
    dx_seed_.push_back(dx);
    if (dx_seed_.size() < period_) return std::nullopt;
    adx_ = seed_mean(dx_seed_);
    seeded_ = true;
    return AdxPoint{last_di_.plus_di, last_di_.minus_di, adx_};
}

}  // namespace torvex
