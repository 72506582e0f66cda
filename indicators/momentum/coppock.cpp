#include "indicators/momentum/coppock.hpp"

#include <algorithm>

namespace torvex {

std::expected<Coppock, IndicatorError> Coppock::create(std::uint64_t r1, std::uint64_t r2, std::uint64_t w) {
    if (r1 == 0 || r2 == 0 || w == 0) return std::unexpected(IndicatorError::zero_period());
    auto first = LagWindow::create(r1);
    if (!first) return std::unexpected(first.error());
    auto second = LagWindow::create(r2);
    if (!second) return std::unexpected(second.error());
    auto average = WmaCore::create(w);
    if (!average) return std::unexpected(average.error());
    return Coppock(std::move(*first), std::move(*second), std::move(*average));
}

std::optional<double> Coppock::step(double close) {
    // Both stages see every close, whether or not the other has a rate yet.
    const std::optional<double> old1 = first_.push(close);
    const std::optional<double> old2 = second_.push(close);
    if (!old1 || !old2) return std::nullopt;
    const double roc1 = lag_formula::RatePercent::apply(close, *old1);
    const double roc2 = lag_formula::RatePercent::apply(close, *old2);
    return average_.step(roc1 + roc2);
}

std::uint64_t Coppock::warmup() const {
    return std::max(first_.period(), second_.period()) + average_.period();
}

}  // namespace torvex
