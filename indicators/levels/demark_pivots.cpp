#include "indicators/levels/demark_pivots.hpp"

namespace torvex {

std::expected<DemarkPivots, IndicatorError> DemarkPivots::create() { return DemarkPivots{}; }

}  // namespace torvex
