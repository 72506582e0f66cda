#include "indicators/profiles/tpo_profile.hpp"

namespace torvex {

std::vector<double> TpoProfile::last_profile() const {
    std::vector<double> profile;
    if (!produced()) return profile;
    const PriceGrid grid = window_.grid();
    fill_time_profile(grid, window_.bars(), window_.bins(), profile);
    if (!grid.has_range()) profile[0] = static_cast<double>(window_.period());
    return profile;
}

}  // namespace torvex
