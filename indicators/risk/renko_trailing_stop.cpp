#include "indicators/risk/renko_trailing_stop.hpp"

#include <cmath>

namespace torvex {

std::expected<RenkoTrailingStop, IndicatorError> RenkoTrailingStop::create(double brick) {
    if (!(std::isfinite(brick) && brick > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    return RenkoTrailingStop(brick);
}

std::optional<double> RenkoTrailingStop::step(double close) {
    if (!anchor_) {
        anchor_ = close;
        return is_up_ ? close - brick_ : close + brick_;
    }
    double& anchor = *anchor_;
    if (is_up_) {
        if (close < anchor - brick_) {
            is_up_ = false;
            anchor = close;
            return anchor + brick_;
        }
        const double k = std::floor((close - anchor) / brick_);
        if (k >= 1.0) anchor = anchor + k * brick_;
        return anchor - brick_;
    }
    if (close > anchor + brick_) {
        is_up_ = true;
        anchor = close;
        return anchor - brick_;
    }
    const double k = std::floor((anchor - close) / brick_);
    if (k >= 1.0) anchor = anchor - k * brick_;
    return anchor + brick_;
}

}  // namespace torvex
