#include "indicators/profiles/volume_profile.hpp"

namespace torvex {

std::vector<double> VolumeProfile::last_profile() const {
    std::vector<double> profile;
    if (!produced()) return profile;
    const PriceGrid grid = window_.grid();
    fill_volume_profile(grid, window_.bars(), window_.bins(), profile);
    if (!grid.has_range()) {
        double total = 0.0;
        window_.bars().for_each([&](const Ohlcv& b) { total += b.volume; });
        profile[0] = total;
    }
    return profile;
}

}  // namespace torvex
