#include "indicators/statistics/linear_regression.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, LinearRegression);

std::expected<LinearRegression, IndicatorError> LinearRegression::create(std::uint64_t n) {
    auto line = LinRegCore::create(n);
    if (!line) return std::unexpected(line.error());
    return LinearRegression(std::move(*line));
}

}  // namespace torvex
