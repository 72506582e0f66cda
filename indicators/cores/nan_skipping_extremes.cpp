#include "indicators/cores/nan_skipping_extremes.hpp"

#include <cmath>
#include <limits>

namespace torvex {

void NanSkippingExtremes::push(double v) {
    const std::uint64_t at = pushed_;
    pushed_ += 1;
    // The entry pushed n pushes ago leaves the window now.
    const std::uint64_t first = at + 1 > period_ ? at + 1 - period_ : 0;
    hi_.expire_front_before(first);
    lo_.expire_front_before(first);
    if (std::isnan(v)) return;
    hi_.push(at, v);
    lo_.push(at, v);
}

HiLo NanSkippingExtremes::hi_lo() const {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    return HiLo{hi_.empty() ? -kInf : hi_.front().value, lo_.empty() ? kInf : lo_.front().value};
}

}  // namespace torvex
