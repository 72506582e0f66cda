#include "indicators/trend/volty_stop.hpp"

#include <algorithm>

namespace torvex {

std::expected<VoltyStop, IndicatorError> VoltyStop::create(std::uint64_t n, double m) {
    auto atr = create_scaled_atr(n, m);
    if (!atr) return std::unexpected(atr.error());
    return VoltyStop(*atr, m);
}

std::optional<double> VoltyStop::step(const Ohlcv& bar) {
    const std::optional<double> atr = atr_.step(bar);
    if (!atr) return std::nullopt;
    const double offset = *atr * multiplier_;
    const double close = bar.close;
    if (!extreme_) {
        extreme_ = close;
        long_ = true;
        return close - offset;
    }
    if (long_) {
        if (*extreme_ - offset > close) {
            long_ = false;
            extreme_ = close;
            return close + offset;
        }
        extreme_ = std::max(*extreme_, close);
        return *extreme_ - offset;
    }
    if (close > *extreme_ + offset) {
        long_ = true;
        extreme_ = close;
        return close - offset;
    }
    extreme_ = std::min(*extreme_, close);
    return *extreme_ + offset;
}

}  // namespace torvex
