#include "indicators/profiles/value_area.hpp"

namespace torvex {

std::array<double, 3> ValueArea::levels(const ValueAreaBins& v) {
    return {v.grid.centre(v.poc), v.grid.edge(v.area.hi + 1), v.grid.edge(v.area.lo)};
}

}  // namespace torvex
