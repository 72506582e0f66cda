#include "indicators/volatility/realized_volatility.hpp"

#include <cmath>

namespace torvex {

std::expected<RealizedVolatility, IndicatorError> RealizedVolatility::create(std::uint64_t n) {
    auto squares = SummedWindow::create(n);
    if (!squares) return std::unexpected(squares.error());
    return RealizedVolatility(std::move(*squares));
}

std::optional<double> RealizedVolatility::step(double close) {
    const std::optional<double> r = returns_.push(close);
    if (!r) return std::nullopt;
    if (squares_.full()) squares_.drop_oldest();
    squares_.append(*r * *r);
    squares_.count_update();
    if (!squares_.full()) return std::nullopt;
    const double sum = squares_.sum();
    return std::sqrt(sum > 0.0 ? sum : 0.0);
}

}  // namespace torvex
