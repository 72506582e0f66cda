#include "indicators/statistics/linear_regression.hpp"

namespace torvex {

std::expected<LinearRegression, IndicatorError> LinearRegression::create(std::uint64_t n) {
    auto line = LinRegCore::create(n);
    if (!line) return std::unexpected(line.error());
    return LinearRegression(std::move(*line));
}

}  // namespace torvex
