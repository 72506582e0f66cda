// A stop that follows the close in whole bricks of a fixed size and flips side on
// a reversal of more than one brick beyond its anchor.
#pragma once

#include <cmath>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class RenkoTrailingStop final : public CloseIndicator<RenkoTrailingStop> {
public:
    // brick must be finite and above zero, else NonPositiveMultiplier.
    static std::expected<RenkoTrailingStop, IndicatorError> create(double brick);

    // anchor − brick while the bricks run up, anchor + brick while they run down.
    std::optional<double> step(double close) {
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
    std::uint64_t warmup() const override { return 1; }

private:
    explicit RenkoTrailingStop(double brick) : brick_(brick) {}

    std::optional<double> anchor_;
    double brick_;
    bool is_up_ = true;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, RenkoTrailingStop);

}  // namespace torvex
