#include "indicators/levels/central_pivot_range.hpp"

namespace torvex {

std::expected<CentralPivotRange, IndicatorError> CentralPivotRange::create() { return CentralPivotRange{}; }

}  // namespace torvex
