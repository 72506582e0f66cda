#include "indicators/levels/fib_time_zones.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<FibTimeZones, IndicatorError> FibTimeZones::create() { return FibTimeZones{}; }

std::array<double, 2> FibTimeZones::levels(std::span<const Pivot> p, std::uint64_t now) {
    const std::uint64_t anchor = p.back().bar;
    if (!walking_ || anchor != anchor_) {
        walking_ = true;
        anchor_ = anchor;
        term_ = 1;
        next_ = 2;
    }
    // The elapsed count only grows between pivots, so the walk resumes where it
    // stopped. A term past the 64-bit range is held at its largest value, which no
    // elapsed count reaches.
    const std::uint64_t e = now - anchor;
    while (next_ <= e && next_ != UINT64_MAX) {
        std::uint64_t after = 0;
        if (__builtin_add_overflow(term_, next_, &after)) after = UINT64_MAX;
        term_ = next_;
        next_ = after;
    }
    return {term_ == e ? 1.0 : 0.0, static_cast<double>(next_ - e)};
}

}  // namespace torvex
