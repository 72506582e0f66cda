#include "indicators/risk/expectancy.hpp"

namespace torvex {

std::expected<Expectancy, IndicatorError> Expectancy::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Expectancy(n);
}

std::optional<double> Expectancy::step(double close) {
    if (!window_.push(close)) return std::nullopt;
    if (window_.losses() == 0) return 0.0;
    const double nf = static_cast<double>(window_.period());
    return (window_.sum() / nf) / (window_.loss_total() / static_cast<double>(window_.losses()));
}

}  // namespace torvex
