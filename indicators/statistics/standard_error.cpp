#include "indicators/statistics/standard_error.hpp"

#include <cmath>

#include "indicators/cores/detrended_residuals.hpp"
#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, StandardError);

StandardError::StandardError(std::uint64_t n) : window_(n), period_(n) {
    const double nf = static_cast<double>(n);
    const double sum_x = ((nf - 1.0) * nf) * 0.5;
    denom_ = ((2.0 * nf - 1.0) * ((nf - 1.0) * nf) / 6.0) * nf - sum_x * sum_x;
}

std::expected<StandardError, IndicatorError> StandardError::create(std::uint64_t n) {
    if (n < 3) return std::unexpected(IndicatorError::invalid_period("standard error needs period >= 3"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return StandardError(n);
}

std::optional<double> StandardError::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;

    const double nf = static_cast<double>(period_);
    const double sse = detrended_square_sum(window_, denom_);
    return std::sqrt(sse / (nf - 2.0));
}

}  // namespace torvex
