#include "indicators/demark/td_range_projection.hpp"

namespace torvex {

std::optional<std::array<double, 2>> TdRangeProjection::step(const BarContext& ctx) {
    const Ohlcv& b = ctx.candle;
    double half;
    if (b.close < b.open) {
        half = (b.close + ((b.low + b.low) + b.high)) * 0.5;
    } else if (b.close > b.open) {
        half = (b.close + ((b.high + b.high) + b.low)) * 0.5;
    } else {
        half = ((b.close + b.close) + (b.high + b.low)) * 0.5;
    }
    return std::array<double, 2>{half - b.low, half - b.high};
}

}  // namespace torvex
