// Time-at-price profile of a rolling window: each bar counts once in every price bin
// its range touches. Publishes the price range the profile is laid over; the per-bin
// counts are available to C++ callers.
#pragma once

#include <vector>

#include "indicators/profiles/profile_window.hpp"

namespace torvex {

class TpoProfile final : public RangeProfile<TpoProfile> {
public:
    // The bar count per bin (bin 0 lowest) of the last producing update, empty before
    // one. A single-price window holds `period` in bin 0.
    std::vector<double> last_profile() const;

private:
    friend RangeProfile<TpoProfile>;
    explicit TpoProfile(ProfileWindow window) : RangeProfile(std::move(window)) {}
};

}  // namespace torvex
