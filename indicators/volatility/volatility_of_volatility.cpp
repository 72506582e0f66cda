#include "indicators/volatility/volatility_of_volatility.hpp"

#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, VolatilityOfVolatility);

std::expected<VolatilityOfVolatility, IndicatorError> VolatilityOfVolatility::create(std::uint64_t p,
                                                                                    std::uint64_t q) {
    if (p == 0 || q == 0) return std::unexpected(IndicatorError::zero_period());
    if (p < 2 || q < 2) return std::unexpected(IndicatorError::invalid_period("vol-of-vol windows must both be >= 2"));
    auto returns = VarianceWindow::create(p);
    if (!returns) return std::unexpected(returns.error());
    auto vols = VarianceWindow::create(q);
    if (!vols) return std::unexpected(vols.error());
    return VolatilityOfVolatility(std::move(*returns), std::move(*vols));
}

std::optional<double> VolatilityOfVolatility::step(double close) {
    const std::optional<double> r = returns_.push(close);
    if (!r) return std::nullopt;
    if (!returns_window_.push(*r)) return std::nullopt;
    const double vol = std::sqrt(returns_window_.sample_variance());
    if (!vols_.push(vol)) return std::nullopt;
    const double answer = std::sqrt(vols_.sample_variance());
    last_ = answer;
    return answer;
}

}  // namespace torvex
