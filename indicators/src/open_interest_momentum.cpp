#include "indicators/src/open_interest_momentum.hpp"

namespace torvex {

std::expected<OpenInterestMomentum, IndicatorError> OpenInterestMomentum::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return OpenInterestMomentum(period);
}

std::optional<double> OpenInterestMomentum::step(const DerivativesTick& tick) {
    if (window_.size() == period_ + 1) window_.pop_front();
    const double oi = tick.open_interest;
    window_.push_back(oi);
    if (window_.size() < period_ + 1) return std::nullopt;
    const double old = window_.front();
    if (old > 0.0) return (oi - old) * 100.0 / old;
    return 0.0;
}

}  // namespace torvex
