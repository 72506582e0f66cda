#include "indicators/profiles/composite_profile.hpp"

namespace torvex {

std::array<double, 3> CompositeProfile::levels(const ValueAreaBins& v) {
    return {v.grid.centre(v.poc), v.grid.centre(v.area.hi), v.grid.centre(v.area.lo)};
}

}  // namespace torvex
