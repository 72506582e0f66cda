// Value area of a rolling volume profile: the point of control (the bin with the
// most volume) and the edges of the contiguous bins around it that hold the chosen
// share of the window's volume.
#pragma once

#include <array>

#include "indicators/profiles/profile_window.hpp"

namespace torvex {

class ValueArea final : public ValueAreaProfile<ValueArea> {
public:
    // A value_area_pct outside (0, 1] is an invalid period.
    static IndicatorError fraction_error() { return IndicatorError::invalid_period(kValueAreaFractionText); }

    // "poc" the centre of the point-of-control bin; "vah" and "val" the upper edge of
    // the area's top bin and the lower edge of its bottom bin.
    static std::array<double, 3> levels(const ValueAreaBins& v);

private:
    friend ValueAreaProfile<ValueArea>;
    ValueArea(ProfileWindow window, double pct) : ValueAreaProfile(std::move(window), pct) {}
};

}  // namespace torvex
