#include "indicators/levels/classic_pivots.hpp"

namespace torvex {

std::expected<ClassicPivots, IndicatorError> ClassicPivots::create() { return ClassicPivots{}; }

}  // namespace torvex
