#include "indicators/volatility/historical_volatility.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, HistoricalVolatility);

HistoricalVolatility::HistoricalVolatility(VarianceWindow window, std::uint64_t per_year)
    : window_(std::move(window)), scale_(std::sqrt(static_cast<double>(per_year))) {}

std::expected<HistoricalVolatility, IndicatorError> HistoricalVolatility::create(std::uint64_t n,
                                                                                std::uint64_t per_year) {
    if (n == 0 || per_year == 0) return std::unexpected(IndicatorError::zero_period());
    if (n == 1) return std::unexpected(IndicatorError::invalid_period("historical volatility period must be >= 2"));
    auto window = VarianceWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return HistoricalVolatility(std::move(*window), per_year);
}

}  // namespace torvex
