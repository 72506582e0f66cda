#include "indicators/risk/recovery_factor.hpp"

namespace torvex {

std::optional<double> RecoveryFactor::step(double close) {
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

}  // namespace torvex
