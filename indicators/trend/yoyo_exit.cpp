#include "indicators/trend/yoyo_exit.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, YoyoExit);

std::expected<YoyoExit, IndicatorError> YoyoExit::create(std::uint64_t n, double m) {
    auto atr = create_scaled_atr(n, m);
    if (!atr) return std::unexpected(atr.error());
    return YoyoExit(*atr, m);
}

}  // namespace torvex
