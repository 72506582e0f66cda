#include "indicators/trend/chandelier_exit.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, ChandelierExit, 2);

std::expected<ChandelierExit, IndicatorError> ChandelierExit::create(std::uint64_t n, double m) {
    auto atr = create_scaled_atr(n, m);
    if (!atr) return std::unexpected(atr.error());
    return ChandelierExit(*atr, m);
}

}  // namespace torvex
