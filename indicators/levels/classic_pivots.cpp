#include "indicators/levels/classic_pivots.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, ClassicPivots, 7);

std::expected<ClassicPivots, IndicatorError> ClassicPivots::create() { return ClassicPivots{}; }

}  // namespace torvex
