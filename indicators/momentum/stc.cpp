#include "indicators/momentum/stc.hpp"

namespace torvex {

std::expected<Stc, IndicatorError> Stc::create(std::uint64_t fast, std::uint64_t slow, std::uint64_t cycle,
                                               double factor) {
    if (fast == 0 || slow == 0 || cycle == 0) return std::unexpected(IndicatorError::zero_period());
    if (fast >= slow)
        return std::unexpected(IndicatorError::invalid_period("STC fast period must be strictly less than slow"));
    if (!(is_finite(factor) && factor > 0.0 && factor <= 1.0))
        return std::unexpected(IndicatorError::invalid_period("STC factor must be a finite value in (0, 1]"));
    if (auto ok = check_max_period(fast); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(slow); !ok) return std::unexpected(ok.error());
    // The cycle sizes both stochastic windows.
    if (auto ok = check_max_period(cycle); !ok) return std::unexpected(ok.error());
    return Stc(fast, slow, cycle, factor);
}

double Stc::stochastic(const FixedRing<double>& window, double v) {
    const HiLo r = window_hi_lo(window);
    if (r.hi > r.lo) return ((v - r.lo) * 100.0) / (r.hi - r.lo);
    return 0.0;
}

double Stc::smooth(std::optional<double>& last, double x) const {
    if (last) x = (x - *last) * factor_ + *last;
    last = x;
    return x;
}

}  // namespace torvex
