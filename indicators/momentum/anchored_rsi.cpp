#include "indicators/momentum/anchored_rsi.hpp"

namespace torvex {

std::optional<double> AnchoredRsi::step(double close) {
    if (!prev_) {
        prev_ = close;
        return std::nullopt;
    }
    const double change = close - *prev_;
    prev_ = close;
    if (change > 0.0) gains_ = change + gains_;
    if (change < 0.0) losses_ = losses_ - change;
    if (losses_ != 0.0) return 100.0 - 100.0 / (gains_ / losses_ + 1.0);
    return gains_ == 0.0 ? 50.0 : 100.0;
}

}  // namespace torvex
