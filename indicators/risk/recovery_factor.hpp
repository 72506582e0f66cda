// Return since the first close over the worst drawdown seen so far.
#pragma once

#include <cstdint>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class RecoveryFactor final : public CloseIndicator<RecoveryFactor> {
public:
    // No parameter; never refuses.
    static std::expected<RecoveryFactor, IndicatorError> create() { return RecoveryFactor(); }

    // (close / first − 1) / max_drawdown; 0.0 while no drawdown is recorded;
    // nothing ever when the first close was 0.
    std::optional<double> step(double close) {
        if (!started_) {
            first_ = close;
            peak_ = close;
            started_ = true;
        } else {
            if (close > peak_) peak_ = close;
            if (peak_ > 0.0) {
                const double dd = (peak_ - close) / peak_;
                if (dd > max_drawdown_) max_drawdown_ = dd;
            }
        }
        if (first_ == 0.0) return std::nullopt;
        if (max_drawdown_ == 0.0) return 0.0;
        return (close / first_ + (-1.0)) / max_drawdown_;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    RecoveryFactor() = default;

    double first_ = 0.0;
    double peak_ = -std::numeric_limits<double>::infinity();
    double max_drawdown_ = 0.0;
    bool started_ = false;
};

}  // namespace torvex
