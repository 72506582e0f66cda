#include "indicators/trend/atr_trailing_stop.hpp"

#include <algorithm>

namespace torvex {

std::expected<AtrTrailingStop, IndicatorError> AtrTrailingStop::create(std::uint64_t n, double m) {
    auto atr = create_scaled_atr(n, m);
    if (!atr) return std::unexpected(atr.error());
    return AtrTrailingStop(*atr, m);
}

std::optional<double> AtrTrailingStop::step(const Ohlcv& bar) {
    const std::optional<double> atr = atr_.step(bar);
    if (!atr) return std::nullopt;
    const double offset = *atr * multiplier_;
    const double close = bar.close;
    double stop = close - offset;
    if (stop_) {
        const double p = *stop_;
        const double pc = *prev_close_;
        if (close > p) {
            stop = pc > p ? std::max(close - offset, p) : close - offset;
        } else {
            stop = (pc < p && close < p) ? std::min(close + offset, p) : close + offset;
        }
    }
    prev_close_ = close;
    stop_ = stop;
    return stop;
}

}  // namespace torvex
