#include "indicators/cores/rvi_volatility_core.hpp"

namespace torvex {

RviVolatilityCore::RviVolatilityCore(VarianceWindow window) : window_(std::move(window)), period_(window_.period()) {
    up_seed_.reserve(period_);
    down_seed_.reserve(period_);
}

std::expected<RviVolatilityCore, IndicatorError> RviVolatilityCore::create(std::uint64_t n) {
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    if (n == 1) return std::unexpected(IndicatorError::invalid_period("RVI period must be >= 2"));
    return RviVolatilityCore(std::move(*window));
}

}  // namespace torvex
