#include "indicators/levels/woodie_pivots.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, WoodiePivots, 5);

std::expected<WoodiePivots, IndicatorError> WoodiePivots::create() { return WoodiePivots{}; }

}  // namespace torvex
