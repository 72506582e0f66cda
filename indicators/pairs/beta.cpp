#include "indicators/pairs/beta.hpp"

namespace torvex {

std::expected<Beta, IndicatorError> Beta::create(std::uint64_t period) {
    if (period < 2) return std::unexpected(IndicatorError::invalid_period("beta needs period >= 2"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return Beta(period);
}

std::optional<double> Beta::step(double a, double b) {
    if (!window_.push(a, b)) return std::nullopt;
    const PairMoments m = window_.moments();
    return slope_a_on_b(m);
}

}  // namespace torvex
