#include "indicators/levels/demark_pivots.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, DemarkPivots, 3);

std::expected<DemarkPivots, IndicatorError> DemarkPivots::create() { return DemarkPivots{}; }

}  // namespace torvex
