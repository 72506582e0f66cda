// Holt's double exponential smoothing of the close: a level and a trend.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class HoltWinters final : public CloseIndicator<HoltWinters> {
public:
    // Both factors must lie in (0, 1].
    static std::expected<HoltWinters, IndicatorError> create(double alpha, double beta);

    std::optional<double> step(double close) {
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
    std::uint64_t warmup() const override { return 2; }

private:
    HoltWinters(double alpha, double beta) : alpha_(alpha), beta_(beta) {}

    std::optional<double> level_;
    double trend_ = 0.0;
    std::optional<double> first_close_;
    double alpha_;
    double beta_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, HoltWinters);

}  // namespace torvex
