#include "indicators/cores/rvi_volatility_core.hpp"

namespace torvex {

RviVolatilityCore::RviVolatilityCore(VarianceWindow window) : window_(std::move(window)), period_(window_.period()) {
    up_seed_.reserve(period_);
    down_seed_.reserve(period_);
}

double RviVolatilityCore::careful_share() {
    scale_.settle({{&*up_avg_}, {&*down_avg_}});
    const double answer = strength_share(*up_avg_, *down_avg_);
    last_ = answer;
    return answer;
}

double RviVolatilityCore::careful_step(double up, double down) {
    scale_.enter({{&*up_avg_}, {&*down_avg_}}, {{&up}, {&down}});
    const double n = static_cast<double>(period_);
    up_avg_ = std::fma(*up_avg_, n - 1.0, up) / n;
    down_avg_ = std::fma(*down_avg_, n - 1.0, down) / n;
    return careful_share();
}

std::expected<RviVolatilityCore, IndicatorError> RviVolatilityCore::create(std::uint64_t n) {
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    if (n == 1) return std::unexpected(IndicatorError::invalid_period("RVI period must be >= 2"));
    return RviVolatilityCore(std::move(*window));
}

}  // namespace torvex
