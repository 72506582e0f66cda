// Composite profile: the value area of a rolling volume profile with every level at
// a bin centre (point of control, top and bottom bins of the area).
#pragma once

#include <array>

#include "indicators/profiles/profile_window.hpp"

namespace torvex {

class CompositeProfile final : public ValueAreaProfile<CompositeProfile> {
public:
    // A value_area_pct outside (0, 1] is an invalid parameter.
    static IndicatorError fraction_error() { return IndicatorError::invalid_parameter(kValueAreaFractionText); }

    static std::array<double, 3> levels(const ValueAreaBins& v);

private:
    friend ValueAreaProfile<CompositeProfile>;
    CompositeProfile(ProfileWindow window, double pct) : ValueAreaProfile(std::move(window), pct) {}
};

}  // namespace torvex
