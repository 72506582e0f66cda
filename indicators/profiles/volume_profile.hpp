// Volume profile of a rolling window: publishes the price range that the profile is
// laid over; the per-bin volumes are available to C++ callers.
#pragma once

#include <vector>

#include "indicators/profiles/profile_window.hpp"

namespace torvex {

class VolumeProfile final : public RangeProfile<VolumeProfile> {
public:
    // The volume per bin (bin 0 lowest) of the last producing update, empty before
    // one. A single-price window holds its whole volume in bin 0.
    std::vector<double> last_profile() const;

private:
    friend RangeProfile<VolumeProfile>;
    explicit VolumeProfile(ProfileWindow window) : RangeProfile(std::move(window)) {}
};

}  // namespace torvex
