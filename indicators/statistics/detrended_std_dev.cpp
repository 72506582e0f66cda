#include "indicators/statistics/detrended_std_dev.hpp"

#include <cmath>

#include "indicators/cores/detrended_residuals.hpp"
#include "indicators/cores/lin_reg_core.hpp"
#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, DetrendedStdDev);

DetrendedStdDev::DetrendedStdDev(std::uint64_t n) : window_(n), period_(n), denom_(PositionSums::of(n).denom) {}

std::expected<DetrendedStdDev, IndicatorError> DetrendedStdDev::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("detrended stddev needs period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return DetrendedStdDev(n);
}

std::optional<double> DetrendedStdDev::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    return std::sqrt(detrended_square_sum(window_, denom_) / static_cast<double>(period_));
}

}  // namespace torvex
