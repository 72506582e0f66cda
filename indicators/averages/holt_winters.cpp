#include "indicators/averages/holt_winters.hpp"

namespace torvex {

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

std::optional<double> HoltWinters::step(double close) {
    if (!first_close_) {
        first_close_ = close;
        return std::nullopt;
    }
    if (!level_) {
        level_ = close;
        trend_ = close - *first_close_;
        return close;
    }
    const double old_level = *level_;
    const double level = (old_level + trend_) * (1.0 - alpha_) + close * alpha_;
    trend_ = (1.0 - beta_) * trend_ + (level - old_level) * beta_;
    level_ = level;
    return level;
}

}  // namespace torvex
