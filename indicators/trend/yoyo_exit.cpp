#include "indicators/trend/yoyo_exit.hpp"

#include <algorithm>

namespace torvex {

std::expected<YoyoExit, IndicatorError> YoyoExit::create(std::uint64_t n, double m) {
    auto atr = create_scaled_atr(n, m);
    if (!atr) return std::unexpected(atr.error());
    return YoyoExit(*atr, m);
}

std::optional<double> YoyoExit::step(const Ohlcv& bar) {
    const std::optional<double> atr = atr_.step(bar);
    if (!atr) return std::nullopt;
    const double offset = *atr * multiplier_;
    const double close = bar.close;
    if (!stop_) {
        stop_ = close - offset;
    } else if (long_) {
        if (*stop_ > close) {
            long_ = false;
        } else {
            stop_ = std::max(*stop_, close - offset);
        }
    } else if (close > *stop_ + offset) {
        long_ = true;
        stop_ = close - offset;
    }
    return stop_;
}

}  // namespace torvex
