#include "indicators/levels/central_pivot_range.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, CentralPivotRange, 3);

std::expected<CentralPivotRange, IndicatorError> CentralPivotRange::create() { return CentralPivotRange{}; }

}  // namespace torvex
