#include "indicators/momentum/stc.hpp"

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Stc);

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

std::optional<double> Stc::step(double x) {
    const auto fast = fast_.step(x);
    const auto slow = slow_.step(x);
    if (!fast || !slow) return std::nullopt;
    const double m = *fast - *slow;
    push_capped(macd_window_, cycle_, m);
    if (macd_window_.size() < cycle_) return std::nullopt;
    const double k = smooth(k_smoothed_, stochastic(macd_window_, m));
    push_capped(k_window_, cycle_, k);
    if (k_window_.size() < cycle_) return std::nullopt;
    return smooth(stc_, stochastic(k_window_, k));
}

}  // namespace torvex
