#include "indicators/flow/roll_measure.hpp"

#include <cmath>

namespace torvex {

std::expected<RollMeasure, IndicatorError> RollMeasure::create(std::uint64_t period) {
    if (period < 3) return std::unexpected(IndicatorError::invalid_period("Roll measure needs period >= 3"));
    if (auto ok = check_max_period(period); !ok) return std::unexpected(ok.error());
    return RollMeasure(period);
}

double RollMeasure::estimate() const {
    const std::size_t n = changes_.size();
    double sum = 0.0;
    changes_.for_each([&sum](double d) { sum += d; });
    const double mu = sum / static_cast<double>(n);
    double g = 0.0;
    for (std::size_t i = 1; i < n; ++i) g += (changes_[i] - mu) * (changes_[i - 1] - mu);
    g /= static_cast<double>(n - 1);
    return g < 0.0 ? 2.0 * std::sqrt(-g) : 0.0;
}

std::optional<double> RollMeasure::step(const BarContext& ctx) {
    std::optional<double> result;
    for (const Trade& t : ctx.trades) {
        const std::optional<double> prev = previous_;
        previous_ = t.price;
        if (!prev) {
            result.reset();
            continue;
        }
        changes_.push(t.price - *prev);
        result = changes_.full() ? std::optional<double>(estimate()) : std::nullopt;
    }
    return result;
}

}  // namespace torvex
