// The value a fixed number of accepted values back: the window shared by every
// "value now against value n bars ago" measure.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/error.hpp"

namespace torvex {

// The last n accepted values; once full, each push answers the value exactly n pushes
// before the new one (the oldest, which leaves). The caller tests its input first.
// The push is inline: it is the whole step of the cheapest column loops.
class LagWindow {
public:
    // Z then M on the lag n.
    static std::expected<LagWindow, IndicatorError> create(std::uint64_t n);

    // Appends x and answers the value n places before x, or nothing while fewer than
    // n + 1 values have come.
    std::optional<double> push(double x) {
        if (window_.full()) return window_.replace_oldest(x);
        window_.push_back(x);
        return std::nullopt;
    }

    std::uint64_t period() const { return period_; }
    bool full() const { return window_.full(); }
    // The i-th value from the oldest (i below the window's size).
    double from_oldest(std::uint64_t i) const { return window_.from_oldest(i); }

private:
    explicit LagWindow(std::uint64_t n) : window_(n), period_(n) {}

    FixedRing<double> window_;
    std::uint64_t period_;
};

}  // namespace torvex
