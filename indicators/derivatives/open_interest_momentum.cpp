#include "indicators/derivatives/open_interest_momentum.hpp"

namespace torvex {

std::expected<OpenInterestMomentum, IndicatorError> OpenInterestMomentum::create(std::uint64_t period) {
    auto window = LagWindow::create(period);
    if (!window) return std::unexpected(window.error());
    return OpenInterestMomentum(std::move(*window));
}

std::optional<double> OpenInterestMomentum::step(const DerivativesTick& tick) {
    const double oi = tick.open_interest;
    const std::optional<double> old = window_.push(oi);
    if (!old) return std::nullopt;
    if (*old > 0.0) return (oi - *old) * 100.0 / *old;
    return 0.0;
}

}  // namespace torvex
