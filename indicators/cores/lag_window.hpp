// The value a fixed number of accepted values back: the window shared by every
// "value now against value n bars ago" measure.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/error.hpp"

namespace torvex {

// The last n + 1 accepted values; once full, each push answers the value exactly n
// pushes before the new one. The caller tests its input first.
class LagWindow {
public:
    // Z then M on the lag n.
    static std::expected<LagWindow, IndicatorError> create(std::uint64_t n);

    // Appends x (dropping the oldest once n + 1 are held) and answers the value n places
    // before x, or nothing while fewer than n + 1 values have come.
    std::optional<double> push(double x);

    std::uint64_t period() const { return period_; }

private:
    explicit LagWindow(std::uint64_t n) : window_(n + 1), period_(n) {}

    FixedRing<double> window_;
    std::uint64_t period_;
};

}  // namespace torvex
