#include "indicators/averages/holt_winters.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, HoltWinters);

namespace {
bool in_unit_interval(double x) { return x > 0.0 && x <= 1.0; }
}  // namespace

std::expected<HoltWinters, IndicatorError> HoltWinters::create(double alpha, double beta) {
    if (!in_unit_interval(alpha))
        return std::unexpected(IndicatorError::invalid_period("HoltWinters alpha must be in (0.0, 1.0]"));
    if (!in_unit_interval(beta))
        return std::unexpected(IndicatorError::invalid_period("HoltWinters beta must be in (0.0, 1.0]"));
    return HoltWinters(alpha, beta);
}

}  // namespace torvex
