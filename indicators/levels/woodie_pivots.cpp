#include "indicators/levels/woodie_pivots.hpp"

namespace torvex {

std::expected<WoodiePivots, IndicatorError> WoodiePivots::create() { return WoodiePivots{}; }

}  // namespace torvex
